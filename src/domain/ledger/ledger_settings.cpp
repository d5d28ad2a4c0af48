#include "domain/ledger/ledger_settings.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

namespace {

int rate_column(const data::WDBTable& f, const char* field) {
    const int c = static_cast<int>(f.num(field).to_int());
    return c == 0 ? 1 : c;
}

SaleSettings sale_settings_from_row(const data::WDBTable& f) {
    auto on = [&](const char* field) { return f.num(field) == 1; };
    SaleSettings s;
    s.rate_column = rate_column(f, "TC_FAC");
    s.change_rate_column = rate_column(f, "TC_FAC2");
    s.price_rate_column = rate_column(f, "TC_FAC_PRE");
    s.ticket_currency = trim(f.str("MONEDA_TIQ"));
    s.big_layout = on("FACPOS_BIG");
    s.local_date = on("FEC_LOCAL");
    s.date_editable = on("LEE_DATE");
    s.other_columns = on("DET_OTROS");
    s.others_per_unit = on("CANT_FLETE");
    s.recycle_codes = on("RECICLA_C");
    s.whole_quantities = on("ROUND_C");
    s.price_rounding = static_cast<int>(f.num("TIPO_ROUND").to_int());
    s.price_editable = on("LEE_PRECIO");
    s.line_cursor = on("LEE_LINEA");
    s.issues_stock = on("GENERA_INV");
    s.stock_concept = trim(f.str("CON_INV"));
    s.stock_supplier = trim(f.str("FAC_PROV"));
    s.term_from_branch = f.num("PLAZO_CL") != 0;
    s.save_line_texts = on("GRABA_SPEC");
    s.save_extra_header = on("GRABA_ENC2");
    s.no_credit_check = on("NO_CHK_CR");
    s.limit_currency = trim(f.str("M_LIMITE"));
    s.order_series = trim(f.str("SERIAL_PED"));
    s.proforma_series = trim(f.str("SERIAL_PRO"));
    s.order_invoiced_stage = trim(f.str("ETAP_FACT"));
    s.proforma_order_stage = trim(f.str("PROF_PED"));
    s.proforma_invoiced_stage = trim(f.str("PROF_FACT"));
    s.accounts_by = static_cast<int>(f.num("LIN_MARCA").to_int());
    s.inventory_costing = on("COSTEO_INV");
    s.payable_link = trim(f.str("LIGA_CXP"));
    s.commission_currency = trim(f.str("MON_COMIS"));
    return s;
}

}  // namespace

LedgerSettings read_ledger_settings(data::Db& db, const std::string& business) {
    LedgerSettings s;
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    if (f->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.found = true;
        s.posts = f->num("AFECTA_CON") == 1;
        s.month = static_cast<int>(f->num("MES").to_int());
        s.year = static_cast<int>(f->num("ANHO").to_int());
        s.month_enforced = f->num("OBLIGA_MES") == 1;
        s.annul_in_issue_month = f->num("ANULA_MES") == 1;
        s.reads_rates = f->num("LEE_CAMBIO") == 1;
        s.reads_date = f->num("LEE_FECHA") == 1;
        s.days_before = static_cast<int>(f->num("R_INICIO").to_int());
        s.days_after = static_cast<int>(f->num("R_FINAL").to_int());
        s.balance_margin = f->num("MARGEN_SAL");
        s.interest_method = static_cast<int>(f->num("TIPO_INT_X").to_int());
        s.collection_stage = trim(f->str("ETAPA_COB"));
        s.price_type = trim(f->str("PR_S_COSTO"));
        s.sale = sale_settings_from_row(*f);
    }
    data::KILLTABLA(db, f);
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (n->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {business})))
        s.accounting_currency = trim(n->str("MONEDA_CON"));
    data::KILLTABLA(db, n);
    return s;
}

}  // namespace qz::domain
