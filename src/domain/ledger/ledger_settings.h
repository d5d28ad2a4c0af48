#pragma once
// The receivables settings of a business that documents and payments read on every operation:
// F_FAC (module settings) and the accounting currency of NEGOCIOS, read once per operation.
#include <string>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

// The fields of F_FAC that steer the point-of-sale screen.
struct SaleSettings {
    // Rate columns (1..5) for totals, for change and for converting price lists: TC_FAC,
    // TC_FAC2, TC_FAC_PRE, where 0 means 1.
    int rate_column = 1, change_rate_column = 1, price_rate_column = 1;
    std::string ticket_currency;    // MONEDA_TIQ: the big total is also shown in it
    bool big_layout = false;        // FACPOS_BIG
    bool local_date = false;        // FEC_LOCAL: the workstation's date instead of the server's
    bool date_editable = false;     // LEE_DATE
    bool other_columns = false;     // DET_OTROS: freight and load per line
    bool others_per_unit = false;   // CANT_FLETE: freight and load are multiplied by quantity
    bool recycle_codes = false;     // RECICLA_C: a code scanned again adds to its line
    bool whole_quantities = false;  // ROUND_C
    int price_rounding = 0;         // TIPO_ROUND: 0 none, 1 whole units, 2 above a half
    bool price_editable = false;    // LEE_PRECIO: every article's price may be typed
    bool line_cursor = false;       // LEE_LINEA
    bool issues_stock = false;      // GENERA_INV
    std::string stock_concept;      // CON_INV
    std::string stock_supplier;     // FAC_PROV
    bool term_from_branch = false;  // PLAZO_CL
    // What the save of a sale writes and checks.
    bool save_line_texts = false;         // GRABA_SPEC: DET_DOC keeps the line's invoice text
    bool save_extra_header = false;       // GRABA_ENC2: ENC_DOC2 is written with the document
    bool no_credit_check = false;         // NO_CHK_CR
    std::string limit_currency;           // M_LIMITE: the currency credit is judged in
    std::string order_series;             // SERIAL_PED
    std::string proforma_series;          // SERIAL_PRO
    std::string order_invoiced_stage;     // ETAP_FACT: an order once invoiced
    std::string proforma_order_stage;     // PROF_PED: a proforma made into an order
    std::string proforma_invoiced_stage;  // PROF_FACT: a proforma invoiced
    // The sale's journal lines: sales and cost accounts by 0 sub-line, 1 brand, 2 customer
    // (LIN_MARCA); cost of sales per account against the warehouse (COSTEO_INV); the payable
    // link and the currency of suppliers' commissions (LIGA_CXP, MON_COMIS).
    int accounts_by = 0;
    bool inventory_costing = false;
    std::string payable_link, commission_currency;
};

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
    SaleSettings sale;
};

LedgerSettings read_ledger_settings(data::Db& db, const std::string& business);

}  // namespace qz::domain
