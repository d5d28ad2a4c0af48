// Accounting: a small chart of accounts, the ledger links the receivables post through, the
// journals' series, the current period, and one day of payments posted so the voucher screens
// have something to show.
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/rates.h"

namespace qz::domain::demo {

namespace {

struct Account {
    const char* code;
    const char* name;
};
constexpr Account kAccounts[] = {
    {"1-01-01", "Caja General"},
    {"1-01-02", "Tarjetas por Liquidar"},
    {"1-02-01", "Cuentas por Cobrar Clientes"},
    {"2-01-05", "Impuesto de Ventas por Pagar"},
    {"4-01-01", "Ventas de Servicios Spa"},
    {"4-01-02", "Ventas de Hospedaje"},
    {"5-01-09", "Descuentos Concedidos"},
    {"5-01-10", "Diferencial Cambiario"},
    {"1-02-02", "Complemento Cuentas por Cobrar"},
    {"4-02-01", "Intereses Ganados"},
};

// The interest link takes the receivable's side: a payment posts interest with the receivable's
// reverse flag, so it credits the interest earned.
struct Link {
    const char* code;
    const char* name;
    const char* account;
    int debit;  // the link's natural side: 1 debit, 0 credit
};
constexpr Link kLinks[] = {
    {"CXC", "Cuentas por Cobrar", "1-02-01", 1},      {"VENTAS_SPA", "Ventas Spa", "4-01-01", 0},
    {"VENTAS_HOS", "Ventas Hospedaje", "4-01-02", 0}, {"IMPUESTOS", "Impuestos", "2-01-05", 0},
    {"DESCUENTOS", "Descuentos", "5-01-09", 1},       {"CAJA_EF", "Caja Efectivo", "1-01-01", 1},
    {"CAJA_TC", "Caja Tarjetas", "1-01-02", 1},       {"DIFERENCIAL", "Diferencial", "5-01-10", 1},
    {"CXC_COMPL", "Complemento CxC", "1-02-02", 1},   {"INTERESES", "Intereses", "4-02-01", 1},
};

void set_journal_series(data::Db& db) {
    RowWriter ser(db, "SERIALES");
    ser.add({{"CODIGO", "ASIENTO02"},
             {"DESCRIP", "Asientos de Facturación"},
             {"MODULO", "00"},
             {"PREFIJO", "F"},
             {"INDENT", 6}});
    ser.add({{"CODIGO", "ASIENTO03"},
             {"DESCRIP", "Asientos de Abonos"},
             {"MODULO", "00"},
             {"PREFIJO", "A"},
             {"INDENT", 6}});
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (n->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {kBiz}))) {
        data::LOCK_FOR_MODIFY(*n);
        n->FieldPut("DIARIO2", std::string("ASIENTO02"));
        n->FieldPut("DIARIO3", std::string("ASIENTO03"));
        data::UNLOCK_FOR_MODIFY(*n);
    }
    data::KILLTABLA(db, n);
}

// Yesterday's payments at the desk: one voucher of journal "03" holding both. They are numbered
// below the receipt series, whose next numbers belong to the payments still to come.
void post_sample_payments(data::Db& db, const Date& today) {
    ContaTransaction c(db, kBiz, "03", today - 1, "R00000401", {"SUP", "demostración"});
    // A payment lowers what the customer owes: the receivable link, a debit one, reversed.
    c.post_link("CXC", Decimal::parse("45200.00"), kColones, Decimal(1), "Abono R00000401", true);
    c.post_link("CAJA_EF", Decimal::parse("45200.00"), kColones, Decimal(1), "Efectivo");
    c.set_document("R00000402");
    // A dollar line carries its factor to the accounting currency, the colón.
    const Decimal rate = CAMBIO_SPEC(db, kBiz, kColones, kDollars, today - 1);
    c.post_link("CXC", Decimal::parse("96.05"), kDollars, rate, "Abono R00000402", true);
    c.post_link("CAJA_TC", Decimal::parse("96.05"), kDollars, rate, "Tarjeta");
    c.close();
}

}  // namespace

void load_accounting(data::Db& db, const Date& today, Summary& out) {
    RowWriter cta(db, "CUENTAS");
    for (const auto& a : kAccounts) cta.add({{"CUENTA", a.code}, {"DESCRIP", a.name}});
    RowWriter liga(db, "LIGAS");
    for (const auto& l : kLinks)
        liga.add({{"CODIGO", l.code},
                  {"DESCRIP", l.name},
                  {"CUENTA", l.account},
                  {"CUENTA2", l.account},
                  {"TIPO", l.debit},
                  {"TIPO2", l.debit}});
    RowWriter cls(db, "CLAS_CON");
    cls.add({{"CODIGO", "10"}, {"DESCRIP", "Ajustes de Cierre"}, {"SERIAL", "ASIENTO03"}});
    // The current accounting period is the month before this one: this month is open.
    const Date last_month = Date(today.year(), today.month(), 1) - 1;
    RowWriter sal(db, "SALDOS");
    sal.add({{"CUENTA", "1-01-01"}, {"ANO", last_month.year()}, {"MES", last_month.month()}});
    set_journal_series(db);
    post_sample_payments(db, today);
    out.push_back("Contabilidad: " + std::to_string(std::size(kAccounts)) + " cuentas, " +
                  std::to_string(std::size(kLinks)) + " ligas contables; diarios 02 y 03");
}

}  // namespace qz::domain::demo
