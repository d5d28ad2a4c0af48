// The hotel around the spa: its settings, rooms, and the guests staying now, each with an open
// folio, so a spa booking can be made for a guest in house and charged to the room.
#include "domain/demo/demo_rows.h"

namespace qz::domain::demo {

namespace {

struct Room {
    const char* code;
    const char* name;
    const char* type;
};

constexpr Room kRooms[] = {
    {"101", "Estándar Jardín 101", "STD"},          {"102", "Estándar Jardín 102", "STD"},
    {"103", "Estándar Jardín 103", "STD"},          {"201", "Superior Vista Volcán 201", "SUP"},
    {"202", "Superior Vista Volcán 202", "SUP"},    {"203", "Superior Vista Volcán 203", "SUP"},
    {"301", "Junior Suite Bosque Seco 301", "JRS"}, {"302", "Junior Suite Bosque Seco 302", "JRS"},
};

// A stay of one guest in one room; `in_house` stays arrived before today and leave after it,
// the others arrive later.
struct Stay {
    const char* reservation;
    const char* folio;  // the open folio of a guest in house
    const char* guest;
    const char* name;
    const char* surname1;
    const char* surname2;
    const char* phone;
    const char* email;
    const char* room;
    const char* room_type;
    long arrival;              // days from today
    long departure;            // days from today
    const char* nightly_rate;  // dollars
    bool in_house;
};

const Stay kStays[] = {
    {"RES-0001", "FOL-0001", "H-0001", "Sofía", "Ramírez", "Ulate", "8765-4321",
     "sofia.ramirez@correo.example", "201", "SUP", -2, 3, "165.00", true},
    {"RES-0002", "FOL-0002", "H-0002", "John", "Miller", "", "+1 512 555 0142",
     "john.miller@mail.example", "301", "JRS", -1, 4, "240.00", true},
    {"RES-0003", "FOL-0003", "H-0003", "Andrea", "Solano", "Pérez", "8311-2299",
     "andrea.solano@correo.example", "102", "STD", -3, 1, "120.00", true},
    {"RES-0004", "FOL-0004", "H-0004", "Lucas", "Fernández", "Mora", "8450-7788",
     "lucas.fm@correo.example", "202", "SUP", 0, 2, "165.00", true},
    {"RES-0005", "", "H-0005", "Emma", "Schneider", "", "+49 30 5550 1234", "emma.s@mail.example",
     "103", "STD", 1, 5, "120.00", false},
};

std::string full_name(const Stay& s) {
    std::string n = std::string(s.name) + " " + s.surname1;
    if (*s.surname2) n += std::string(" ") + s.surname2;
    return n;
}

const Stay* stay_in(const char* room) {
    for (const auto& s : kStays)
        if (s.in_house && std::string(s.room) == room) return &s;
    return nullptr;
}

void load_hotel_settings(data::Db& db, const Date& today) {
    RowWriter h(db, "F_HOTEL");
    h.add({{"NOMBRE", "Hotel Quartzen Spa & Resort"},
           {"MONEDA_RES", kDollars},
           {"CIERRE_DIA", today - 1},
           {"DIF_PREPAG", Decimal::parse("0.01")}});
    RowWriter h3(db, "F_HOTEL3");
    h3.add({{"MARGEN_DEP", Decimal::parse("1.00")}});
    RowWriter h4(db, "F_HOTEL4");
    h4.add({{"M_PREPA", 0}});

    RowWriter tr(db, "TRANSACS");
    tr.add({{"CODIGO", "SPA"}, {"DESCRIP", "Servicios de Spa"}});
    RowWriter tax(db, "DET_IMP");
    tax.add({{"TRANSAC", "SPA"}, {"COD_IMP", "IV"}, {"CHECK1", 1}});
}

void load_stays(data::Db& db, const Date& today) {
    RowWriter guests(db, "HUESPEDES");
    RowWriter res(db, "ENC_RES");
    RowWriter lines(db, "DET_RES2");
    RowWriter folios(db, "ENC_FOL");
    for (const auto& s : kStays) {
        const Date arrival = today + s.arrival, departure = today + s.departure;
        const Decimal total = Decimal::parse(s.nightly_rate) * Decimal(departure - arrival);
        guests.add({{"CODIGO", s.guest},
                    {"NOMBRE", s.name},
                    {"APELLIDO1", s.surname1},
                    {"APELLIDO2", s.surname2},
                    {"TELEFONO", s.phone},
                    {"EMAIL", s.email}});
        res.add({{"CODIGO", s.reservation},
                 {"NOMBRE", full_name(s)},
                 {"TIPO", "IN"},
                 {"MONEDA", kDollars},
                 {"ENTRADA", arrival},
                 {"SALIDA", departure},
                 {"TOTAL", total},
                 {"TOTAL4", total}});
        lines.add({{"COD_RES", s.reservation},
                   {"COD_HAB", s.room_type},
                   {"ITEM_HAB", 1},
                   {"ROOM", s.room},
                   {"COD_HUESP", s.guest},
                   {"ESTADO", s.in_house ? 1 : 0},
                   {"ENTRADA", arrival},
                   {"SALIDA", departure},
                   {"TIENE_CRED", 1},
                   {"MONTO_CRED", Decimal::parse("500.00")}});
        if (!s.in_house) continue;
        folios.add({{"NUMERO", s.folio},
                    {"COD_RES", s.reservation},
                    {"ROOM", s.room},
                    {"COD_HAB", s.room_type},
                    {"ITEM_HAB", 1},
                    {"MONEDA", kDollars},
                    {"ULTIMO", 1}});
    }
}

}  // namespace

void load_hotel(data::Db& db, const Date& today, Summary& out) {
    load_hotel_settings(db, today);
    RowWriter rooms(db, "ROOMS");
    for (const auto& r : kRooms) {
        const Stay* s = stay_in(r.code);
        rooms.add({{"CODIGO", r.code},
                   {"DESCRIP", r.name},
                   {"COD_HAB", r.type},
                   {"COD_RES", s ? s->reservation : ""},
                   {"ITEM_HAB", s ? 1 : 0}});
    }
    load_stays(db, today);

    std::string in_house;
    for (const auto& s : kStays)
        if (s.in_house) in_house += std::string(in_house.empty() ? "" : ", ") + s.room;
    out.push_back("Hotel: " + std::to_string(std::size(kRooms)) +
                  " habitaciones; huéspedes en casa en " + in_house);
}

}  // namespace qz::domain::demo
