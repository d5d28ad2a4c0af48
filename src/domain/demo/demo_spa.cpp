// The spa: its register and operators, therapists, treatment rooms, services with their taxes
// and price lists, its reservation series and a first day on the agenda.
#include <stdexcept>
#include <string>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::demo {

namespace {

const Decimal kSalesTax = Decimal(13);  // impuesto al valor agregado on services

struct PriceType {
    const char* code;
    const char* name;
    int discount;  // percent off the public price
};
constexpr PriceType kPriceTypes[] = {
    {"01", "Precio Público", 0}, {"02", "Huésped del Hotel", 10}, {"03", "Tarifa Corporativa", 15}};

struct Subline {
    const char* code;
    const char* name;
};
constexpr Subline kSublines[] = {{"MASA", "Masajes"},
                                 {"FACI", "Faciales y estética"},
                                 {"CORP", "Tratamientos corporales"},
                                 {"BIEN", "Hidroterapia y bienestar"}};

struct Service {
    const char* code;
    const char* name;
    const char* subline;
    const char* price;  // public price in colones, before tax
};
constexpr Service kServices[] = {
    {"MAS001", "Masaje relajante (60 min)", "MASA", "45000.00"},
    {"MAS002", "Masaje con piedras volcánicas (90 min)", "MASA", "62000.00"},
    {"MAS003", "Masaje en pareja (60 min)", "MASA", "85000.00"},
    {"FAC001", "Facial hidratante de café (50 min)", "FACI", "38500.00"},
    {"FAC002", "Manicure y pedicure spa", "FACI", "28000.00"},
    {"COR001", "Envoltura corporal de chocolate (75 min)", "CORP", "52000.00"},
    {"BIE001", "Circuito de hidroterapia", "BIEN", "25000.00"},
    {"BIE002", "Clase de yoga en la terraza", "BIEN", "12000.00"},
};

struct TreatmentRoom {
    const char* code;
    const char* name;
    int capacity;
};
constexpr TreatmentRoom kTreatmentRooms[] = {
    {"S01", "Sala Individual Jade", 1},
    {"S02", "Suite Pareja Orquídea", 2},
    {"S03", "Sala Grupal Volcán", 4},
    {"S04", "Terraza Yoga Pacífico", 6},
};

struct Therapist {
    const char* code;
    const char* name;
    const char* phone;
};
constexpr Therapist kTherapists[] = {
    {"01", "Ana Lucía Mora Jiménez", "8801-1101"},
    {"02", "Carlos Andrés Solís Vargas", "8801-1102"},
    {"03", "María Fernanda Rojas Castro", "8801-1103"},
    {"04", "José Pablo Quesada Arias", "8801-1104"},
};

struct Operator {
    const char* code;
    const char* name;
    const char* password;
    bool closes;  // may close the register for someone else
};
constexpr Operator kOperators[] = {
    {"0001", "Laura Chaves Brenes", "1111", false},
    {"0002", "Diego Araya Monge", "2222", true},
};

const char* const kRegister = "SPA1";
const char* const kRegisterPassword = "SPA1";

Decimal list_price(const Service& s, const PriceType& t) {
    return ROUND5(Decimal::parse(s.price) * Decimal(100 - t.discount) / Decimal(100));
}

const Service& service(const std::string& code) {
    for (const auto& s : kServices)
        if (code == s.code) return s;
    throw std::logic_error("servicio de demostración desconocido: " + code);
}

void load_catalogue(data::Db& db) {
    RowWriter taxes(db, "TIPO_IMP");
    taxes.add({{"CODIGO", "IV"}, {"DESCRIP", "Impuesto al Valor Agregado"}, {"MONTO", kSalesTax}});
    taxes.add({{"CODIGO", "EX"}, {"DESCRIP", "Exento"}});

    RowWriter line(db, "LINEAS");
    line.add({{"CODIGO", "SPA"}, {"DESCRIP", "Servicios de Spa"}});
    // A discount above 15 % on a service is cut back to 15 %.
    RowWriter sub(db, "SUB_LIN");
    for (const auto& s : kSublines)
        sub.add({{"LINEA", "SPA"},
                 {"CODIGO", s.code},
                 {"DESCRIP", s.name},
                 {"CHECK_D1", 1},
                 {"CHECK_D2", 15},
                 // Taxed and exempt sales of services both go to the spa's sales.
                 {"ASIENTO1", "VENTAS_SPA"},
                 {"ASIENTO6", "VENTAS_SPA"}});

    RowWriter types(db, "ENC_PREC");
    for (const auto& t : kPriceTypes)
        types.add({{"CODIGO", t.code}, {"DESCRIP", t.name}, {"MONEDA", kColones}});

    RowWriter arts(db, "DEF_ART");
    RowWriter prices(db, "DET_PREC");
    for (const auto& s : kServices) {
        arts.add({{"CODIGO", s.code},
                  {"DESCRIP", s.name},
                  {"LINEA", "SPA"},
                  {"SUBLINEA", s.subline},
                  {"CANT_SUG", 1},
                  {"IMP_ART", kSalesTax}});
        for (const auto& t : kPriceTypes)
            prices.add({{"CODIGO", t.code}, {"ARTICULO", s.code}, {"PRECIO", list_price(s, t)}});
    }
}

void load_register(data::Db& db, Summary& out) {
    RowWriter store(db, "BODEGAS");
    store.add({{"CODIGO", "01"}, {"DESCRIP", "Bodega del Spa"}});
    RowWriter centre(db, "DEF_VENT");
    centre.add({{"CODIGO", "SPA"}, {"DESCRIP", "Ventas del Spa"}});

    // The spa invoices cash customers in colones from its own warehouse; the warehouse is locked.
    RowWriter reg(db, "CAJA_ENC");
    reg.add({{"CODIGO", kRegister},
             {"DESCRIP", "Caja Spa"},
             {"PASSWORD", hash_pass_code(kRegisterPassword)},
             {"ESTADO", "C"},
             {"POS", 1},
             {"DEF_CLIEN", "CONTADO"},
             {"DEF_CONC", "FC"},
             {"DEF_MONEDA", kColones},
             {"DEF_PREC", kPriceTypes[0].code},
             {"DEF_VENT", "SPA"},
             {"DEF_AGENTE", kTherapists[0].code},
             {"DEF_BODEGA", "01"},
             {"REST_BOD", 1},
             {"MON_CIERRE", kColones},
             {"TIP_RECIBO", "01"}});

    RowWriter ops(db, "DIGITA");
    std::string who;
    for (const auto& o : kOperators) {
        ops.add({{"CODIGO", o.code},
                 {"NOMBRE", o.name},
                 {"CLAVE", hash_pass_code(o.password)},
                 {"CIERRE", o.closes ? 1 : 0}});
        who += std::string(who.empty() ? "" : ", ") + o.code + " " + o.name + " (clave " +
               o.password + ")";
    }
    out.push_back(std::string("Caja del spa: ") + kRegister + " Caja Spa (clave " +
                  kRegisterPassword + "); operadores " + who);
    out.push_back(std::string("  Para usarla en una estación: QUARTZEN.INI, sección [F_SPA], ") +
                  "clave empresa + SPA_CAJA = " + kRegister);
}

void load_people_and_rooms(data::Db& db) {
    RowWriter agents(db, "AGENTES");
    for (const auto& t : kTherapists)
        agents.add({{"CODIGO", t.code},
                    {"NOMBRE", t.name},
                    {"TELEFONO", t.phone},
                    {"ACTIVO", "S"},
                    {"VER_SPA", 1}});
    agents.add({{"CODIGO", "10"}, {"NOMBRE", "Ventas Corporativas"}, {"ACTIVO", "S"}});

    RowWriter rooms(db, "SPA_SALA");
    for (const auto& r : kTreatmentRooms)
        rooms.add({{"CODIGO", r.code}, {"DESCRIP", r.name}, {"CAPAC_MAX", r.capacity}});
}

// Two bookings so the agenda opens with something on it: a couple staying in room 201 today
// and a visitor from outside tomorrow. Their numbers are the first of the spa's series.
// Returns how many there are.
int load_first_bookings(data::Db& db, const Date& today) {
    struct Booking {
        long day;  // from today
        const char* start;
        const char* end;
        const char* room;
        const char* therapist;
        const char* hotel_room;
        const char* name;
        int persons;
        const char* phone;
        const char* email;
        const PriceType* price_type;
        const char* service;
        const char* note;
    };
    const Booking bookings[] = {
        {0, "10:00", "11:00", "S02", "01", "201", "Sofía Ramírez Ulate", 2, "8765-4321",
         "sofia.ramirez@correo.example", &kPriceTypes[1], "MAS003",
         "Aniversario de bodas: preparar pétalos de rosa."},
        {1, "15:00", "16:30", "S01", "02", "", "Daniela Rojas Campos", 1, "8822-1100",
         "daniela.rojas@correo.example", &kPriceTypes[0], "MAS002", ""},
    };
    const DateTime now = db.clock().now();
    RowWriter res(db, "SPA_RESE");
    RowWriter det(db, "SPA_RESD");
    int number = 0;
    for (const auto& b : bookings) {
        const std::string code = "SPA" + pad_left(std::to_string(++number), 6, '0');
        res.add({{"CODIGO", code},
                 {"ESTADO", 1},
                 {"FECHA", today + b.day},
                 {"HORA_INI", b.start},
                 {"HORA_FIN", b.end},
                 {"COD_SALA", b.room},
                 {"ENCARGADO", b.therapist},
                 {"COD_ROOM", b.hotel_room},
                 {"A_NOMBRE", b.name},
                 {"NUM_PERSON", b.persons},
                 {"TELEFONOS", b.phone},
                 {"EMAIL", b.email},
                 {"OBSERVAC", b.note},
                 {"T_PRECIO", b.price_type->code},
                 {"USER_REG", "SUP"},
                 {"FECHA_REG", now.date},
                 {"HORA_REG", now.time}});
        det.add({{"COD_RESER", code},
                 {"CONSECU", 1},
                 {"CODIGO", b.service},
                 {"CANTIDAD", 1},
                 {"PRECIO", list_price(service(b.service), *b.price_type)},
                 {"IMPUESTO", kSalesTax}});
    }
    RowWriter ser(db, "SERIALES");
    ser.add({{"CODIGO", "SPA"},
             {"DESCRIP", "Reservas del Spa"},
             {"MODULO", "09"},
             {"NUMERO", number},
             {"PREFIJO", "SPA"},
             {"INDENT", 6}});
    return number;
}

}  // namespace

void load_spa(data::Db& db, const Date& today, Summary& out) {
    load_catalogue(db);
    load_register(db, out);
    load_people_and_rooms(db);
    load_first_bookings(db, today);
}

namespace {

// Rows of the business in a table whose first order starts with NEGOCIO.
long business_rows(data::Db& db, const std::string& table) {
    data::Table t = data::USE(db, table, table);
    t->SetScope(data::business_key(kBiz), data::business_key(kBiz));
    const long n = t->KeyCount();
    data::KILLTABLA(db, t);
    return n;
}

}  // namespace

void summarise_spa(data::Db& db, const Date& today, Summary& out) {
    std::string rooms;
    data::Table sala = data::USE(db, "SPA_SALA", "SPA_SALA");
    sala->SetScope(data::business_key(kBiz), data::business_key(kBiz));
    for (sala->GoTop(); !sala->Eof(); sala->Skip())
        rooms += std::string(rooms.empty() ? "" : ", ") + trim(sala->str("CODIGO")) + " " +
                 trim(sala->str("DESCRIP")) + " (" + sala->num("CAPAC_MAX").to_string(0) + ")";
    data::KILLTABLA(db, sala);
    int bookings = 0;
    data::Table rese = data::USE(db, "SPA_RESE", "SPA_RESE");
    rese->SetScope(data::business_key(kBiz), data::business_key(kBiz));
    for (rese->GoTop(); !rese->Eof(); rese->Skip())
        if (rese->date("FECHA") == today) ++bookings;
    data::KILLTABLA(db, rese);
    out.push_back("Salas del spa (capacidad): " + rooms);
    out.push_back("Servicios: " + std::to_string(business_rows(db, "DEF_ART")) + " en " +
                  std::to_string(business_rows(db, "ENC_PREC")) + " tipos de precio; encargados: " +
                  std::to_string(business_rows(db, "AGENTES")) + "; " + std::to_string(bookings) +
                  " reservas de hoy en la agenda");
}

}  // namespace qz::domain::demo
