#include "domain/demo/spa_demo.h"

#include <string>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/demo/demo_rows.h"

namespace qz::domain {

namespace {

using demo::kBiz;
using demo::RowWriter;

const Decimal kTax = Decimal(13);
const char* const kSeries = "SPA";

struct Room {
    const char* code;
    const char* name;
    int capacity;
};
constexpr Room kRooms[] = {{"S05", "Sala Jacuzzi", 5}, {"S06", "Sauna", 8}};

struct Service {
    const char* code;
    const char* name;
    const char* price;  // public price in colones before tax
};
constexpr Service kServices[] = {{"JAC001", "Jacuzzi privado (30 min)", "18000.00"},
                                 {"SAU001", "Sesión de sauna (45 min)", "15000.00"}};
// Price types of the demonstration and their discount off the public price.
constexpr std::pair<const char*, int> kTypes[] = {{"01", 0}, {"02", 10}, {"03", 15}};

struct Booking {
    const char* room;
    const char* start;
    const char* end;
    const char* agent;
    const char* hotel_room;  // "" for a visitor
    const char* name;
    int persons;
    const char* phone;
    const char* email;
    const char* price_type;
    const char* service;
    const char* price;  // list price of the type
};
constexpr Booking kToday[] = {
    {"S03", "09:00", "10:00", "03", "301", "John Miller", 2, "+1 512 555 0142",
     "john.miller@mail.example", "02", "FAC001", "34650.00"},
    {"S05", "11:00", "12:00", "04", "", "Grupo Empresa Sol", 5, "2222-3344",
     "eventos@empresasol.example", "03", "JAC001", "15300.00"},
    {"S01", "14:00", "15:00", "02", "102", "Andrea Solano Pérez", 1, "8311-2299",
     "andrea.solano@correo.example", "02", "MAS001", "40500.00"},
    {"S06", "16:00", "17:00", "01", "", "Carolina Méndez Rojas", 3, "8890-1122",
     "carolina.mendez@correo.example", "01", "SAU001", "15000.00"},
};

bool exists(data::Db& db, const char* table, const char* order, const std::string& k) {
    data::Table t = data::USE(db, table, order);
    const bool found = t->Seek(k);
    data::KILLTABLA(db, t);
    return found;
}

void add_rooms_and_services(data::Db& db) {
    RowWriter rooms(db, "SPA_SALA");
    for (const auto& r : kRooms)
        if (!exists(db, "SPA_SALA", "SPA_SALA",
                    data::order_key("SPA_SALA", "SPA_SALA", {kBiz, r.code})))
            rooms.add({{"CODIGO", r.code}, {"DESCRIP", r.name}, {"CAPAC_MAX", r.capacity}});
    RowWriter arts(db, "DEF_ART");
    RowWriter prices(db, "DET_PREC");
    for (const auto& s : kServices) {
        if (exists(db, "DEF_ART", "DEF_ART", data::order_key("DEF_ART", "DEF_ART", {kBiz, s.code})))
            continue;
        arts.add({{"CODIGO", s.code},
                  {"DESCRIP", s.name},
                  {"LINEA", "SPA"},
                  {"SUBLINEA", "BIEN"},
                  {"CANT_SUG", 1},
                  {"IMP_ART", kTax}});
        for (const auto& [type, off] : kTypes)
            prices.add(
                {{"CODIGO", type},
                 {"ARTICULO", s.code},
                 {"PRECIO", ROUND5(Decimal::parse(s.price) * Decimal(100 - off) / Decimal(100))}});
    }
}

// A half-hour agenda from 7:00 to 21:00, confirmations mailed on booking in two languages.
void set_spa_settings(data::Db& db) {
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::business_key(kBiz))) {
        data::LOCK_FOR_MODIFY(*f);
        if (trim(f->str("SPA_SERIAL")).empty()) f->FieldPut("SPA_SERIAL", std::string(kSeries));
        f->FieldPut("SPA_H_AGEN", Decimal(1));
        f->FieldPut("HI_AGE_RES", std::string("07:00"));
        f->FieldPut("HF_AGE_RES", std::string("21:00"));
        f->FieldPut("SPA_A_MAIL", Decimal(1));
        f->FieldPut("SPA_I_MAIL",
                    std::string("Le esperamos 15 minutos antes de su cita.\r\n"
                                "Please arrive 15 minutes before your appointment.\r\n"
                                "Para el circuito de hidroterapia traiga traje de baño. / "
                                "Bring your swimsuit for the hydrotherapy circuit."));
        data::UNLOCK_FOR_MODIFY(*f);
    }
    data::KILLTABLA(db, f);
}

// Whether the room already has a reservation of `day` starting at `start` (order SPA_RESE12).
bool booked(data::Db& db, const Booking& b, const Date& day) {
    data::Table t = data::USE(db, "SPA_RESE", "SPA_RESE12");
    const std::string scope = data::order_key("SPA_RESE", "SPA_RESE12", {kBiz, b.room, day});
    t->SetScope(scope, scope);
    bool found = false;
    for (t->GoTop(); !t->Eof() && !found; t->Skip()) found = trim(t->str("HORA_INI")) == b.start;
    data::KILLTABLA(db, t);
    return found;
}

// The next number of the spa's series, as the reservation form gives it.
std::string next_number(data::Db& db) {
    data::Table s = data::USE(db, "SERIALES", "SERIALES");
    std::string number;
    if (s->Seek(data::order_key("SERIALES", "SERIALES", {kBiz, "", kSeries}))) {
        data::LOCK_FOR_MODIFY(*s);
        const long n = s->num("NUMERO").to_int() + 1;
        s->FieldPut("NUMERO", Decimal(n));
        number = trim(s->str("PREFIJO")) +
                 pad_left(std::to_string(n), static_cast<size_t>(s->num("INDENT").to_int()), '0');
        data::UNLOCK_FOR_MODIFY(*s);
    }
    data::KILLTABLA(db, s);
    return number;
}

void add_todays_bookings(data::Db& db) {
    const DateTime now = db.clock().now();
    RowWriter res(db, "SPA_RESE");
    RowWriter det(db, "SPA_RESD");
    for (const auto& b : kToday) {
        if (booked(db, b, now.date)) continue;
        const std::string code = next_number(db);
        if (code.empty()) return;  // no series: the form could not have numbered them either
        res.add({{"CODIGO", code},
                 {"ESTADO", 1},
                 {"FECHA", now.date},
                 {"HORA_INI", b.start},
                 {"HORA_FIN", b.end},
                 {"COD_SALA", b.room},
                 {"ENCARGADO", b.agent},
                 {"COD_ROOM", b.hotel_room},
                 {"A_NOMBRE", b.name},
                 {"NUM_PERSON", b.persons},
                 {"TELEFONOS", b.phone},
                 {"EMAIL", b.email},
                 {"T_PRECIO", b.price_type},
                 {"USER_REG", "SUP"},
                 {"FECHA_REG", now.date},
                 {"HORA_REG", now.time}});
        det.add({{"COD_RESER", code},
                 {"CONSECU", 1},
                 {"CODIGO", b.service},
                 {"CANTIDAD", b.persons},
                 {"PRECIO", Decimal::parse(b.price)},
                 {"IMPUESTO", kTax}});
    }
}

}  // namespace

void install_spa_demo(data::Db& db) {
    data::Transaction tx(db);
    add_rooms_and_services(db);
    set_spa_settings(db);
    add_todays_bookings(db);
    tx.commit();
}

}  // namespace qz::domain
