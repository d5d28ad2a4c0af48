// What hangs off the demonstration customers: an agency's referral written by a clerk, a
// customer's associates with their membership cards, and the tours an agency earns commission
// on, with the reservations settings that ask a new customer for its commission.
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain::demo {

namespace {

const char* const kReferringAgency = "3101123456";
const char* const kMember = "114560789";
const char* const kTourAgency = "3102654321";
const char* const kTourLine = "TOUR";

struct Tour {
    const char* code;
    const char* name;
    const char* price;
};
constexpr Tour kTours[] = {{"TOUR01", "Tour Volcán Arenal y Aguas Termales", "48000.00"},
                           {"TOUR02", "Canopy en Monteverde", "39500.00"}};

void flag_member(data::Db& db) {
    data::Table t = data::USE(db, "CLIENTES", "CLIENTES");
    if (lock_at_key(*t, data::order_key("CLIENTES", "CLIENTES", {kBiz, kMember}))) {
        t->FieldPut("ASOCIADOS", Decimal(1));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

}  // namespace

void load_customer_satellites(data::Db& db, Summary& out) {
    RowWriter ref(db, "DET_CLI2");
    ref.add({{"CLIENTE", kReferringAgency},
             {"CODIGO", "R001"},
             {"NOMBRE", "Hotel Playa Hermosa"},
             {"TELEFONO", "2643-1111"},
             {"EMAIL", "reservas@playahermosa.example"},
             {"DIGITADOR", "0001"}});

    // Two members of the family; the next card comes from the series CARNET (C000103).
    RowWriter asc(db, "DET_CLI3");
    asc.add({{"CLIENTE", kMember},
             {"CODIGO", "114560789-1"},
             {"NOMBRE", "Andrés Jiménez Vargas"},
             {"FECHA_NACI", Date(1984, 3, 12)},
             {"DIRECCION", "Escazú, San José"},
             {"SEXO", 1},
             {"RELACION", 1},
             {"CARNET", "C000101"}});
    asc.add({{"CLIENTE", kMember},
             {"CODIGO", "114560789-2"},
             {"NOMBRE", "Sofía Jiménez Vargas"},
             {"FECHA_NACI", Date(2012, 9, 2)},
             {"DIRECCION", "Escazú, San José"},
             {"SEXO", 2},
             {"RELACION", 2},
             {"AUTO_CONSU", 1},
             {"CARNET", "C000102"}});
    flag_member(db);
    RowWriter ser(db, "SERIALES");
    ser.add({{"CODIGO", "CARNET"},
             {"DESCRIP", "Carnés de Asociados"},
             {"MODULO", "03"},
             {"NUMERO", 102},
             {"PREFIJO", "C"},
             {"INDENT", 6}});

    RowWriter res(db, "F_RESER");
    res.add({{"COMISION", 1}, {"LINEA_TOUR", kTourLine}});
    // Tours are sold like the spa's services: taxed, with a price of every price type.
    std::vector<std::string> price_types;
    for_business_rows(db, "ENC_PREC", kBiz,
                      [&](const data::WDBTable& t) { price_types.push_back(t.str("CODIGO")); });
    data::Table tax = data::USE(db, "TIPO_IMP", "TIPO_IMP");
    const Decimal sales_tax = tax->Seek(data::order_key("TIPO_IMP", "TIPO_IMP", {kBiz, "IV"}))
                                  ? tax->num("MONTO")
                                  : Decimal();
    data::KILLTABLA(db, tax);
    RowWriter arts(db, "DEF_ART");
    RowWriter prices(db, "DET_PREC");
    RowWriter com(db, "DET_ART6");
    for (const auto& t : kTours) {
        arts.add({{"CODIGO", t.code},
                  {"DESCRIP", t.name},
                  {"LINEA", kTourLine},
                  {"CANT_SUG", 1},
                  {"IMP_ART", sales_tax}});
        for (const auto& type : price_types)
            prices.add(
                {{"CODIGO", type}, {"ARTICULO", t.code}, {"PRECIO", Decimal::parse(t.price)}});
        com.add({{"COD_COMI", kTourAgency},
                 {"ARTICULO", t.code},
                 {"COMISION", Decimal::parse("12.500")}});
    }
    out.push_back(
        std::string("Referidos: ") + kReferringAgency +
        " tiene el referido R001 del digitador 0001 (clave 1111); asociados con carné en " +
        kMember + "; tours " + kTours[0].code + " y " + kTours[1].code + " con 12.5% para " +
        kTourAgency + " (un cliente nuevo pide su % de comisión)");
}

}  // namespace qz::domain::demo
