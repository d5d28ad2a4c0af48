// Receivables: document and payment concepts, payment methods, receipt blocks, number series,
// the invoicing settings and the customers with their branches and credit.
#include <vector>

#include "domain/demo/demo_rows.h"
#include "domain/ledger/print_shipped.h"
#include "domain/session/pass_code.h"

namespace qz::domain::demo {

namespace {

// Every concept posts its counter-account, tax, receivable, discount, interest and complement
// through the demonstration's links.
std::vector<Field> with_links(std::initializer_list<Field> fields) {
    std::vector<Field> row(fields);
    const std::pair<const char*, const char*> links[] = {
        {"ASIENTO2", "VENTAS_SPA"}, {"ASIENTO3", "IMPUESTOS"}, {"ASIENTO4", "CXC"},
        {"ASIENTO5", "DESCUENTOS"}, {"ASIENTO6", "INTERESES"}, {"CXC_COMPL", "CXC_COMPL"}};
    for (const auto& [field, link] : links) row.emplace_back(field, link);
    return row;
}

void load_document_concepts(data::Db& db) {
    RowWriter c(db, "CONCEPT1");
    // An invoice takes stock out (TIPO2 0) and is paid with concepts of the same class; a
    // credit note is its opposite.
    c.add(with_links({{"CONCEPTO", "FC"},
                      {"COD_DIFF", "01"},
                      {"DESCRIP", "Factura Contado"},
                      {"TIPO", 1},
                      {"TIPO2", 0},
                      {"OPUESTO", "NC"},
                      {"SERIAL", "FACTURA"},
                      {"ABONO_DEF", "CA"},
                      {"T_MOV_DEF", "EF"},
                      {"ABONO_BLO", "01"},
                      {"MON_REP", kColones},
                      {"DETALLE", 1},
                      {"CANCELA", 1},
                      {"SHOW", 1},
                      {"IMP_CIERRE", 1},
                      {"TITULO_TQ1", "Hotel Quartzen Spa & Resort"},
                      {"TITULO_TQ2", "Spa Quartzen - Guanacaste, Costa Rica"},
                      {"FINAL_TIQ1", "¡Gracias por su visita! Pura vida."}}));
    c.add(with_links({{"CONCEPTO", "FA"},
                      {"COD_DIFF", "01"},
                      {"DESCRIP", "Factura Crédito"},
                      {"TIPO", 1},
                      {"TIPO2", 0},
                      {"PLAZO", 30},
                      {"OPUESTO", "NC"},
                      {"SERIAL", "FACTURA"},
                      {"ABONO_DEF", "AB"},
                      {"T_MOV_DEF", "CR"},
                      {"ABONO_BLO", "01"},
                      {"MON_REP", kColones},
                      {"DETALLE", 1},
                      {"SHOW", 1},
                      {"IMP_CIERRE", 1}}));
    c.add(with_links({{"CONCEPTO", "ND"},
                      {"COD_DIFF", "01"},
                      {"DESCRIP", "Nota de Débito"},
                      {"TIPO", 1},
                      {"TIPO2", 0},
                      {"PLAZO", 30},
                      {"OPUESTO", "NC"},
                      {"SERIAL", "NOTA_DEBITO"},
                      {"ABONO_DEF", "AB"},
                      {"MON_REP", kColones},
                      {"SHOW", 1}}));
    c.add(with_links({{"CONCEPTO", "NC"},
                      {"COD_DIFF", "01"},
                      {"DESCRIP", "Nota de Crédito"},
                      {"TIPO", 0},
                      {"TIPO2", 1},
                      {"OPUESTO", "ND"},
                      {"SERIAL", "NOTA_CREDITO"},
                      {"ABONO_DEF", "AN"},
                      {"MON_REP", kColones},
                      {"SHOW", 1},
                      {"CANCELA", 1}}));
    // An invoice paid in three instalments: 40 % at 30 days, 30 % at 60 and 30 % at 90, each
    // with 5 % interest; an overdue instalment charges 3 % a month.
    c.add(with_links({{"CONCEPTO", "FP"},
                      {"COD_DIFF", "01"},
                      {"DESCRIP", "Factura a Plazos"},
                      {"TIPO", 1},
                      {"TIPO2", 0},
                      {"PLAZO", 90},
                      {"OPUESTO", "NC"},
                      {"SERIAL", "FACTURA"},
                      {"ABONO_DEF", "AB"},
                      {"T_MOV_DEF", "CR"},
                      {"ABONO_BLO", "01"},
                      {"MON_REP", kColones},
                      {"DETALLE", 1},
                      {"CUOTAS", 1},
                      {"INTERES", 1},
                      {"I_MORA", 3},
                      {"SHOW", 1}}));
    RowWriter plan(db, "DET_CON2");
    const std::pair<int, const char*> instalments[] = {{30, "40"}, {60, "30"}, {90, "30"}};
    for (const auto& [days, percent] : instalments)
        plan.add({{"CONCEPTO", "FP"},
                  {"PLAZO", days},
                  {"PORCENTAJE", Decimal::parse(percent)},
                  {"INTERES", 5}});

    // Reports add up sales and notes separately.
    RowWriter sets(db, "ENC_CCON");
    sets.add({{"CODIGO", "VENTAS"}, {"DESCRIP", "Facturas de Venta"}});
    sets.add({{"CODIGO", "NOTAS"}, {"DESCRIP", "Notas de Débito y Crédito"}});
    RowWriter members(db, "DET_CCON");
    const std::pair<const char*, const char*> membership[] = {
        {"VENTAS", "FC"}, {"VENTAS", "FA"}, {"VENTAS", "FP"}, {"NOTAS", "ND"}, {"NOTAS", "NC"}};
    for (const auto& [set, member] : membership)
        members.add({{"ENCABEZADO", set}, {"CONCEPTO", member}});
}

// Every document concept prints in both currencies on the shipped invoice format, on the
// workstation's own printer; a cash invoice also has its ticket (type 1) for the register.
void load_print_bindings(data::Db& db) {
    install_shipped_formats(db, kBiz);
    RowWriter b(db, "DET_CON1");
    for (const char* concept_code : {"FC", "FA", "ND", "NC"})
        for (const std::string& currency : {kColones, kDollars})
            b.add({{"CONCEPTO", concept_code},
                   {"MONEDA", currency},
                   {"FORM_DOC", kInvoiceFormat},
                   {"PREDET_P", "LC"},
                   {"N_COPIA", 1},
                   {"TICKET", 0},
                   {"TIPO_DOC", 0}});
    b.add({{"CONCEPTO", "FC"},
           {"MONEDA", kColones},
           {"FORM_DOC", kTicketFormat},
           {"PREDET_P", "LC"},
           {"N_COPIA", 1},
           {"TICKET", 1},
           {"TIPO_DOC", 1}});
}

// Dollar documents are revalued at each payment on the exchange-difference link; the second
// type shows a business that records differences without posting them.
void load_exchange_difference_types(data::Db& db) {
    RowWriter d(db, "COD_DIFF");
    d.add({{"CODIGO", "01"},
           {"DESCRIP", "Diferencial Cambiario Clientes"},
           {"LIGA_DIFF", "DIFERENCIAL"},
           {"AJUSTAR", 1}});
    d.add({{"CODIGO", "02"}, {"DESCRIP", "Diferencial sin Ajuste Contable"}, {"AJUSTAR", 0}});
}

void load_payment_codes(data::Db& db) {
    RowWriter c2(db, "CONCEPT2");
    // Payments lower the balance of debit documents and use up the money received; annulling
    // one puts both back.
    c2.add({{"CODIGO", "AB"}, {"DESCRIP", "Abono"}, {"OPUESTO", "RA"}, {"SHOW", 1}});
    c2.add({{"CODIGO", "CA"}, {"DESCRIP", "Cancelación"}, {"OPUESTO", "RA"}, {"SHOW", 1}});
    c2.add({{"CODIGO", "RA"},
            {"DESCRIP", "Reversión de Abono"},
            {"TIPO", 1},
            {"TIPO_DISP", 1},
            {"ES_ANULA", 1}});
    // A credit note used inside a payment: its balance goes down and adds to what the payment
    // can apply; annulling the payment takes it back.
    c2.add({{"CODIGO", "AN"},
            {"DESCRIP", "Aplicación de Nota de Crédito"},
            {"PERMITIDO", 1},
            {"TIPO_DISP", 1},
            {"OPUESTO", "RN"},
            {"SHOW", 1}});
    c2.add({{"CODIGO", "RN"},
            {"DESCRIP", "Reversión de Nota de Crédito"},
            {"PERMITIDO", 1},
            {"TIPO", 1},
            {"ES_ANULA", 1}});

    RowWriter tm(db, "TIPO_MOV");
    tm.add({{"CODIGO", "EF"},
            {"DESCRIP", "Efectivo"},
            {"ASIENTO1", "CAJA_EF"},
            {"DEPOSITA", 1},
            {"LEE_CAMBIO", 1},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "TC"},
            {"DESCRIP", "Tarjeta"},
            {"ASIENTO1", "CAJA_TC"},
            {"EXIGE_NTAR", 1},
            {"LEN_NTAR", 4},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "CH"},
            {"DESCRIP", "Cheque"},
            {"ASIENTO1", "CAJA_EF"},
            {"DEPOSITA", 1},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "CR"}, {"DESCRIP", "Crédito a cuenta"}, {"NO_CIERRE", 1}, {"SHOW", 1}});
    // Spa services of a guest in house go to the folio of the room with the spa charge code.
    // What a guest charges to the room is owed to the hotel, on its receivable.
    tm.add({{"CODIGO", "HB"},
            {"DESCRIP", "Cargo a Habitación"},
            {"ASIENTO1", "CXC"},
            {"TO_HOTEL", 1},
            {"CARGO", "SPA"},
            {"SHOW_FIRMA", 1},
            {"NO_CIERRE", 1},
            {"SHOW", 1}});

    RowWriter rec(db, "T_RECIBO");
    rec.add({{"CODIGO", "01"},
             {"DESCRIP", "Recibos de Caja"},
             {"SERIAL", "RECIBO"},
             {"SERIAL2", "RECIBO_PEND"}});
    rec.add(
        {{"CODIGO", "02"}, {"DESCRIP", "Recibos Manuales"}, {"LEE_SERIAL", 1}, {"LONG_MIN", 4}});

    // The register payments are taken at, with its pass code "COBROS" stored hashed.
    RowWriter reg(db, "ENC_RCAJ");
    reg.add({{"CODIGO", "CXC1"},
             {"DESCRIP", "Caja de Cobros"},
             {"PASSWORD", hash_pass_code("COBROS")},
             {"ESTADO", "A"}});
}

void load_series(data::Db& db) {
    struct Series {
        const char* code;
        const char* name;
        const char* module;  // "00" accounting, "02" invoicing, "03" receivables, "10" sales
        const char* mutuo;   // the registers' tickets share one number space
        int last_issued;
        const char* prefix;
    };
    const Series series[] = {
        {"FACTURA", "Facturas", "02", "", 1000, "F"},
        {"NOTA_DEBITO", "Notas de Débito", "03", "", 0, "ND"},
        {"NOTA_CREDITO", "Notas de Crédito", "03", "", 0, "NC"},
        {"RECIBO", "Recibos de Dinero", "03", "", 500, "R"},
        {"RECIBO_PEND", "Recibos Pendientes", "03", "", 0, "P"},
        {"ASIENTO", "Asientos de Diario", "00", "", 120, "AS"},
        {"TIQ_CAJA1", "Tiquetes Caja 1", "10", "TQ", 0, "T"},
        {"TIQ_CAJA2", "Tiquetes Caja 2", "10", "TQ", 50000, "T"},
        {"PEDIDO", "Pedidos de Clientes", "02", "", 0, "PD"},
        {"PROFORMA", "Proformas", "02", "", 0, "PF"},
    };
    RowWriter ser(db, "SERIALES");
    for (const auto& s : series)
        ser.add({{"CODIGO", s.code},
                 {"DESCRIP", s.name},
                 {"MODULO", s.module},
                 {"MUTUO", s.mutuo},
                 {"NUMERO", s.last_issued},
                 {"PREFIJO", s.prefix},
                 {"INDENT", 8}});
}

void load_invoicing_settings(data::Db& db, const Date& today) {
    RowWriter fac(db, "F_FAC");
    fac.add({{"MES", today.month()},
             {"AFECTA_CON", 1},
             {"MARGEN_SAL", Decimal::parse("0.50")},
             {"ANHO", today.year()},
             {"MONEDA", kColones},
             {"MONEDA_TIQ", kDollars},
             {"M_LIMITE", kColones},
             // The credit keys (PASSWRD2 overdue, PASSWRD3 excess), stored hashed.
             {"PASSWRD2", hash_pass_code("VENCE26")},
             {"PASSWRD3", hash_pass_code("EXCESO26")},
             {"MON_COMIS", kColones},
             {"COD_SUC", "01"},
             {"SER_CARNET", "CARNET"},
             {"TC_FAC", 1},
             {"TC_FAC2", 1},
             {"TC_FAC_PRE", 1},
             // The point of sale's orders and proformas have series of their own.
             {"SERIAL_PED", "PEDIDO"},
             {"SERIAL_PRO", "PROFORMA"},
             // Documents, payments and their annulments post to the journals.
             {"AFECTA_CON", 1},
             // The spa: its reservation series, a half-hour agenda from 7:00 to 20:00, and the
             // spa register's defaults applied to its invoices.
             {"SPA_SERIAL", "SPA"},
             {"SPA_H_AGEN", 1},
             {"HI_AGE_RES", "07:00"},
             {"HF_AGE_RES", "20:00"},
             {"SP_VAL_CAJ", 1},
             {"SPA_I_MAIL",
              "Le esperamos 15 minutos antes de su cita.\r\n"
              "Para el circuito de hidroterapia traiga traje de baño."}});
}

struct Branch {
    const char* code;
    const char* name;
    const char* address;
    const char* phone;
    const char* email;
    const char* limit;
    const char* limit_currency;
    int days;
    const char* price_type;
    const char* doc_concept;
};

struct Customer {
    const char* code;
    const char* name;
    const char* legal_id;
    const char* category;  // CLAS_CLI
    bool cash_only;
    std::vector<Branch> branches;  // the first is the principal one
};

const std::vector<Customer>& customers() {
    static const std::vector<Customer> list = {
        {"CONTADO",
         "Cliente de Contado",
         "",
         "01",
         true,
         {{"01", "Cliente de Contado", "Guanacaste", "", "", "0", kColones.c_str(), 0, "01",
           "FC"}}},
        {"3101123456",
         "Turismo Pura Vida S.A.",
         "3-101-123456",
         "02",
         false,
         {{"01", "Turismo Pura Vida - Oficinas Centrales", "Sabana Norte, San José", "2290-1010",
           "reservas@puravida.example", "2500000.00", kColones.c_str(), 30, "03", "FA"},
          {"02", "Turismo Pura Vida - Sucursal Liberia", "Barrio Los Ángeles, Liberia", "2666-2020",
           "liberia@puravida.example", "1000000.00", kColones.c_str(), 30, "03", "FA"},
          {"03", "Turismo Pura Vida - Sucursal Jacó", "Avenida Pastor Díaz, Jacó", "2643-4040",
           "jaco@puravida.example", "750000.00", kColones.c_str(), 30, "03", "FA"}}},
        // Inactive since a payment default: the status history shows when and why.
        {"3101998877",
         "Viajes del Pacífico S.A.",
         "3-101-998877",
         "03",
         false,
         {{"01", "Viajes del Pacífico - Puntarenas", "Paseo de los Turistas, Puntarenas",
           "2661-5050", "info@viajespacifico.example", "500000.00", kColones.c_str(), 30, "03",
           "FA"},
          {"02", "Viajes del Pacífico - Quepos", "Centro, Quepos", "2777-6060",
           "quepos@viajespacifico.example", "250000.00", kColones.c_str(), 30, "03", "FA"}}},
        {"3102654321",
         "Arenal Tours S.R.L.",
         "3-102-654321",
         "03",
         false,
         {{"01", "Arenal Tours", "La Fortuna, San Carlos", "2479-3030",
           "ventas@arenaltours.example", "3000.00", kDollars.c_str(), 45, "03", "FA"}}},
        {"114560789",
         "María José Vargas Solano",
         "1-1456-0789",
         "01",
         false,
         {{"01", "María José Vargas Solano", "Escazú, San José", "8890-4455",
           "mjvargas@correo.example", "300000.00", kColones.c_str(), 15, "01", "FA"}}},
        {"205430876",
         "Roberto Castillo Méndez",
         "2-0543-0876",
         "01",
         true,
         {{"01", "Roberto Castillo Méndez", "Grecia, Alajuela", "8712-3344",
           "rcastillo@correo.example", "0", kColones.c_str(), 0, "02", "FC"}}},
    };
    return list;
}

}  // namespace

void load_ledger_codes(data::Db& db, const Date& today) {
    load_document_concepts(db);
    load_print_bindings(db);
    load_exchange_difference_types(db);
    load_payment_codes(db);
    load_series(db);
    load_invoicing_settings(db, today);
}

namespace {

const char* const kInactiveCustomer = "3101998877";

void load_customer_codes(data::Db& db) {
    RowWriter cls(db, "CLAS_CLI");
    cls.add({{"CODIGO", "01"}, {"DESCRIP", "Personas físicas"}});
    cls.add({{"CODIGO", "02"}, {"DESCRIP", "Empresas"}});
    cls.add({{"CODIGO", "03"}, {"DESCRIP", "Agencias de viaje"}});
    RowWriter branch_cls(db, "CLAS_CL2");
    branch_cls.add({{"CODIGO", "01"}, {"DESCRIP", "Oficina central"}});
    branch_cls.add({{"CODIGO", "02"}, {"DESCRIP", "Sucursal regional"}});
    RowWriter cat(db, "CATEGORS");
    cat.add({{"CODIGO", "RE"}, {"DESCRIP", "Regular"}});
    cat.add({{"CODIGO", "CO"}, {"DESCRIP", "Corporativo"}});
    RowWriter zone(db, "ZONAS");
    zone.add({{"CODIGO", "GAM"}, {"DESCRIP", "Gran Área Metropolitana"}});
    zone.add({{"CODIGO", "COST"}, {"DESCRIP", "Zonas costeras"}});
}

}  // namespace

void load_customers(data::Db& db, const Date& today, Summary& out) {
    load_customer_codes(db);

    RowWriter cli(db, "CLIENTES");
    RowWriter det(db, "DET_CLIE");
    for (const auto& c : customers()) {
        const bool active = std::string(c.code) != kInactiveCustomer;
        // Companies and agencies are "Corporativo", people "Regular".
        cli.add({{"CODIGO", c.code},
                 {"NOMBRE", c.name},
                 {"JURIDICA", c.legal_id},
                 {"CLAS_1", c.category},
                 {"CATEGORIA", std::string(c.category) == "01" ? "RE" : "CO"},
                 {"ESTADO", active ? 1 : 0},
                 {"F_INGRESO", today - 365},
                 {"F_RETIRO", active ? Date() : today - 40},
                 {"TIPO_ANU", active ? 0 : 1},
                 {"COBRA_IMP", "S"},
                 {"SOLO_CONT", c.cash_only ? 1 : 0},
                 {"LEE_NOM", c.cash_only ? 1 : 0}});
        bool principal = true;
        for (const auto& b : c.branches) {
            det.add({{"CLIENTE", c.code},
                     {"CODIGO", b.code},
                     {"PRINCIPAL", principal ? "S" : "N"},
                     {"CATEGORIA", principal ? "01" : "02"},
                     {"COD_ZONA", principal ? "GAM" : "COST"},
                     {"NOMBRE", b.name},
                     {"JURIDICA", c.legal_id},
                     {"DIRECCION", b.address},
                     {"TELEFONO", b.phone},
                     {"EMAIL", b.email},
                     {"LIMITE", Decimal::parse(b.limit)},
                     {"MON_LIMITE", b.limit_currency},
                     {"MAX_DIAS", b.days},
                     {"T_PRECIO", b.price_type},
                     {"SUGIERE_C", b.doc_concept}});
            principal = false;
        }
    }
    RowWriter hist(db, "EST_CLIE");
    hist.add({{"CODIGO", kInactiveCustomer},
              {"FECHA", today - 40},
              {"ESTADO_INI", 1},
              {"ESTADO_FIN", 0},
              {"TIPO_ANU", 1},
              {"LIMITE", Date(2090, 1, 1)},
              {"USUARIO", "SUP"},
              {"INFO_USER", "demo / QUARTZEN"}});
    // The agency's negotiated price of the relaxing massage, offered first by the spa form.
    RowWriter special(db, "PRE_CLIE");
    special.add({{"CLIENTE", "3101123456"},
                 {"ARTICULO", "MAS001"},
                 {"T_PRECIO", "03"},
                 {"PRECIO", Decimal::parse("36000.00")},
                 {"FECHA", today}});
    out.push_back("Clientes: " + std::to_string(customers().size()) +
                  " (CONTADO para ventas de contado; empresas y agencias con límite de crédito)");
}

}  // namespace qz::domain::demo
