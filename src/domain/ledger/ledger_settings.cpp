#include "domain/ledger/ledger_settings.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

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
    }
    data::KILLTABLA(db, f);
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (n->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {business})))
        s.accounting_currency = trim(n->str("MONEDA_CON"));
    data::KILLTABLA(db, n);
    return s;
}

}  // namespace qz::domain
