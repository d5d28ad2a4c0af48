#pragma once
// One run of a sale's save: what every step reads (the screen's state, the settings, the
// concept and customer) and what the checks settle for the writing (the series, the order's
// stage, the lines grouped into documents). The steps of the save live in several files; this
// is what they share.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/text.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/pos/sale_save.h"

namespace qz::domain::pos {

// Where the documents of a sale are kept.
enum class SaleTarget { Receivable, Order, Proforma };

struct SaleTables {
    const char* header;
    const char* extra;
    const char* lines;
};
SaleTables sale_tables(SaleTarget target);

struct SaleRun {
    data::Db& db;
    UserPort& port;
    SaleSaveHooks& hooks;
    SaleDraft& draft;
    std::vector<TenderRow>& tenders;
    const SaleExtras& extras;
    const SaleSaveContext& ctx;

    std::string business;
    LedgerSettings settings;
    DocumentConcept concept_def;
    SaleTarget target = SaleTarget::Receivable;
    std::optional<customers::Customer> customer;
    std::string series;           // what documents number from; blank: the typed number
    std::string stage;            // ETAPA of an order or a proforma
    std::vector<SaleLine> lines;  // the lines with a code, in their order
    std::vector<std::vector<SaleLine>> groups;  // one per document (MAX_LINEAS each)
    std::string time;
    Decimal rate = Decimal(1);        // sale currency → accounting currency (TC_DIFF)
    std::string local_currency;       // F_INV M_LOCAL: the currency of costs
    Decimal local_rate = Decimal(1);  // local currency → accounting currency
    Decimal card_available;           // what the card account has left as documents are written
    bool tenders_taken = false;
    bool credit_accepted = false;  // the credit-control dialog authorised the sale

    SaleRun(data::Db& d, UserPort& p, SaleSaveHooks& h, SaleDraft& dr, std::vector<TenderRow>& t,
            const SaleExtras& e, const SaleSaveContext& c)
        : db(d), port(p), hooks(h), draft(dr), tenders(t), extras(e), ctx(c) {}

    bool with_lines() const { return concept_def.flag("DETALLE"); }
    // The receivable's amount-only document: the typed amount, no lines.
    bool amount_only() const { return !with_lines(); }
    // FACTURADO − DEVUELTO, or the typed amount.
    Decimal amount_due() const;
    Decimal paid() const { return draft.header().paid; }
    std::vector<TenderRow> used_tenders() const;
    OtherCharges others() const {
        return {settings.sale.other_columns, settings.sale.others_per_unit};
    }
    std::string customer_name() const { return trim(draft.header().contact[kName]); }
    // A refusal: the cashier is told and the save stops.
    bool refuse(const std::string& text) const;
};

// The lines with a code split into documents of at most `max_lines` (all in one when 0).
std::vector<std::vector<SaleLine>> split_lines(const std::vector<SaleLine>& lines, int max_lines);

// The checks before anything is written; each refusal is told and answers false.
bool CHECK_DATOS(SaleRun& run);
bool check_before_writing(SaleRun& run);
// The tenders' agreement with the amount paid; a disagreement opens the tenders dialog.
bool CHECK_TOTS(SaleRun& run);

// Writes the sale in one transaction and commits it; throws (after rolling back) on any
// failure. Stock warnings that did not stop the sale are added to `warnings`.
SavedSale write_sale(SaleRun& run, std::vector<std::string>& warnings);

}  // namespace qz::domain::pos
