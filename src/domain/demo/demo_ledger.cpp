// Receivables: document and payment concepts, payment methods, receipt blocks, number series,
// the invoicing settings and the customers with their branches and credit.
#include <vector>

#include "domain/demo/demo_rows.h"
#include "domain/ledger/print_shipped.h"

namespace qz::domain::demo {

namespace {

void load_document_concepts(data::Db& db) {
    RowWriter c(db, "CONCEPT1");
    // An invoice takes stock out (TIPO2 0) and is paid with concepts of the same class; a
    // credit note is its opposite.
    c.add({{"CONCEPTO", "FC"},
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
           {"FINAL_TIQ1", "¡Gracias por su visita! Pura vida."}});
    c.add({{"CONCEPTO", "FA"},
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
           {"IMP_CIERRE", 1}});
    c.add({{"CONCEPTO", "ND"},
           {"COD_DIFF", "01"},
           {"DESCRIP", "Nota de Débito"},
           {"TIPO", 1},
           {"TIPO2", 0},
           {"PLAZO", 30},
           {"OPUESTO", "NC"},
           {"SERIAL", "NOTA_DEBITO"},
           {"ABONO_DEF", "AB"},
           {"MON_REP", kColones},
           {"SHOW", 1}});
    c.add({{"CONCEPTO", "NC"},
           {"COD_DIFF", "01"},
           {"DESCRIP", "Nota de Crédito"},
           {"TIPO", 0},
           {"TIPO2", 1},
           {"OPUESTO", "ND"},
           {"SERIAL", "NOTA_CREDITO"},
           {"MON_REP", kColones},
           {"SHOW", 1},
           {"CANCELA", 1}});
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
           {"LIGA_DIFF", "DIF-CAMBIO"},
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

    RowWriter tm(db, "TIPO_MOV");
    tm.add({{"CODIGO", "EF"},
            {"DESCRIP", "Efectivo"},
            {"DEPOSITA", 1},
            {"LEE_CAMBIO", 1},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "TC"},
            {"DESCRIP", "Tarjeta"},
            {"EXIGE_NTAR", 1},
            {"LEN_NTAR", 4},
            {"SHOW", 1}});
    tm.add({{"CODIGO", "CH"}, {"DESCRIP", "Cheque"}, {"DEPOSITA", 1}, {"SHOW", 1}});
    tm.add({{"CODIGO", "CR"}, {"DESCRIP", "Crédito a cuenta"}, {"NO_CIERRE", 1}, {"SHOW", 1}});
    // Spa services of a guest in house go to the folio of the room with the spa charge code.
    tm.add({{"CODIGO", "HB"},
            {"DESCRIP", "Cargo a Habitación"},
            {"TO_HOTEL", 1},
            {"CARGO", "SPA"},
            {"SHOW_FIRMA", 1},
            {"NO_CIERRE", 1},
            {"SHOW", 1}});

    RowWriter rec(db, "T_RECIBO");
    rec.add({{"CODIGO", "01"}, {"DESCRIP", "Recibos de Caja"}, {"SERIAL", "RECIBO"}});
    rec.add(
        {{"CODIGO", "02"}, {"DESCRIP", "Recibos Manuales"}, {"LEE_SERIAL", 1}, {"LONG_MIN", 4}});
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
        {"ASIENTO", "Asientos de Diario", "00", "", 120, "AS"},
        {"TIQ_CAJA1", "Tiquetes Caja 1", "10", "TQ", 0, "T"},
        {"TIQ_CAJA2", "Tiquetes Caja 2", "10", "TQ", 50000, "T"},
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
             {"ANHO", today.year()},
             {"MONEDA", kColones},
             {"MONEDA_TIQ", kDollars},
             {"M_LIMITE", kColones},
             {"MON_COMIS", kColones},
             {"COD_SUC", "01"},
             {"TC_FAC", 1},
             {"TC_FAC2", 1},
             {"TC_FAC_PRE", 1},
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
           "liberia@puravida.example", "1000000.00", kColones.c_str(), 30, "03", "FA"}}},
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

void load_customers(data::Db& db, const Date& today, Summary& out) {
    RowWriter cls(db, "CLAS_CLI");
    cls.add({{"CODIGO", "01"}, {"DESCRIP", "Personas físicas"}});
    cls.add({{"CODIGO", "02"}, {"DESCRIP", "Empresas"}});
    cls.add({{"CODIGO", "03"}, {"DESCRIP", "Agencias de viaje"}});

    RowWriter cli(db, "CLIENTES");
    RowWriter det(db, "DET_CLIE");
    for (const auto& c : customers()) {
        cli.add({{"CODIGO", c.code},
                 {"NOMBRE", c.name},
                 {"JURIDICA", c.legal_id},
                 {"CLAS_1", c.category},
                 {"ESTADO", 1},
                 {"F_INGRESO", today - 365},
                 {"COBRA_IMP", "S"},
                 {"SOLO_CONT", c.cash_only ? 1 : 0},
                 {"LEE_NOM", c.cash_only ? 1 : 0}});
        bool principal = true;
        for (const auto& b : c.branches) {
            det.add({{"CLIENTE", c.code},
                     {"CODIGO", b.code},
                     {"PRINCIPAL", principal ? "S" : "N"},
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
