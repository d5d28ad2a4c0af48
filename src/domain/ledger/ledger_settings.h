#pragma once
// The receivables settings of a business that documents and payments read on every operation:
// F_FAC (module settings) and the accounting currency of NEGOCIOS, read once per operation.
#include <string>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct LedgerSettings {
    bool found = false;                   // the business has an F_FAC record
    bool posts = false;                   // AFECTA_CON: documents and payments post to the ledger
    std::string accounting_currency;      // NEGOCIOS MONEDA_CON
    int month = 0, year = 0;              // MES, ANHO: the active month
    bool month_enforced = false;          // OBLIGA_MES
    bool annul_in_issue_month = false;    // ANULA_MES
    bool reads_rates = false;             // LEE_CAMBIO: a payment's rates may be typed
    bool reads_date = false;              // LEE_FECHA
    int days_before = 0, days_after = 0;  // R_INICIO, R_FINAL: the payment date range
    Decimal balance_margin;               // MARGEN_SAL
    int interest_method = 0;              // TIPO_INT_X
    std::string collection_stage;         // ETAPA_COB: where new documents enter the collection
    std::string price_type;               // PR_S_COSTO
};

LedgerSettings read_ledger_settings(data::Db& db, const std::string& business);

}  // namespace qz::domain
