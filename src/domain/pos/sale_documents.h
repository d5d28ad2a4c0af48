#pragma once
// One document of a sale as it is written: its number, header, lines, extra header and
// instalments, in the receivable's tables or an order's or a proforma's. Written inside the
// sale's transaction.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/collection_entry.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/instalments.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/pos/sale_line.h"
#include "domain/pos/sale_save_run.h"

namespace qz::domain::pos {

// What one document's lines come to. The gross amount keeps every decimal of quantity × price;
// tax and discount are rounded once on their sums, not line by line.
struct DocumentFigures {
    Decimal gross;     // BRUTO: Σ q × p
    Decimal tax;       // ROUND(Σ q × p × t / 100 × (100 − d) / 100, 2)
    Decimal discount;  // ROUND(Σ q × p × d / 100, 2)
    Decimal freight, load;
    // MONTO: BRUTO + tax − discount + freight + load, in cents.
    Decimal amount() const { return (gross + tax - discount + freight + load).round(2); }
};
DocumentFigures document_figures(const std::vector<SaleLine>& lines, const OtherCharges& others);

struct SaleDocument {
    std::string number;
    std::vector<SaleLine> lines;
    DocumentFigures figures;
    std::string movement;               // MOV_INV
    std::vector<Decimal> stock_before;  // INV_TOT per line
    Decimal card_left;                  // SALDO_TARJ
    int instalments = 0;                // PLAZOS
};

// The `index`-th document's number: the series' next number not taken yet, or the typed one
// (the second and later documents of a typed number carry "-2", "-3"...). Throws when none can
// be had.
std::string draw_document_number(SaleRun& run, size_t index);
// The series' next number that `table` (a document header table) does not hold yet; throws
// when none can be had.
std::string draw_series_number(data::Db& db, const std::string& business, const char* table,
                               const std::string& series, const std::string& concept_name);
// F_INV M_LOCAL: the currency costs are kept in; blank when the business has none.
std::string local_currency(data::Db& db, const std::string& business);

// The header row of a receivable document (or an order's, a proforma's) as it is written,
// whoever writes it: the sale fills it from its screen, a regular invoice from its model.
// Fields the target table lacks are left out.
struct DocumentHeaderRow {
    std::string business, register_code, customer, name, branch, number;
    std::string module = "2";
    Date date, due;
    std::string time;
    DocumentFigures figures;
    std::string concept_code, agent, currency, price_type;
    std::string order_ref, purchase, remission, contract, contest;  // PEDIDO .. CONCURSO
    std::string description;
    std::string diff_type;
    Decimal rate;  // TC_DIFF
    std::string movement;
    int instalments = 0;
    Decimal late_rate;  // I_MORA
    std::string clas1, clas2, clas3, referred, counter_account;
    std::string operator_code, user, info_user, warehouse;
    std::string collection_stage, stage, cost_centre, sales_centre;
    bool card = false;  // CEDULA, NOMBRE and SALDO_TARJ of a card account
    std::string card_identity, card_name;
    Decimal card_left;
    bool restaurant = false;  // NO_PROCESA
};
void write_header_row(data::Db& db, const char* table, const DocumentHeaderRow& h);

// What every line row of one document shares.
struct DocumentLineRows {
    std::string business, register_code, customer, number, warehouse, price_type, time;
    Date date;
    bool supplier = false;  // COD_PROVEE is kept (the concept's ADD_PROVEE)
    bool texts = false;     // SPEC_FAC is kept (F_FAC)
    OtherCharges others;
};
// The lines from N_INDEX 0; a line without a price type takes the document's.
void write_line_rows(data::Db& db, const char* table, const DocumentLineRows& d,
                     const std::vector<SaleLine>& lines, const std::vector<Decimal>& stock_before);

void write_document_header(SaleRun& run, const SaleDocument& doc);
void write_document_lines(SaleRun& run, const SaleDocument& doc);
void write_extra_header(SaleRun& run, const SaleDocument& doc);
// DOC_PARC: the typed plan (its share of the sale for one of several documents), or one
// instalment for the whole amount at the term.
std::vector<PlanInstalment> document_instalments(const SaleRun& run, const SaleDocument& doc,
                                                 const Decimal& sale_total);
void write_instalments(data::Db& db, const std::string& business, const std::string& number,
                       const std::vector<PlanInstalment>& rows);
inline void write_instalments(SaleRun& run, const std::string& number,
                              const std::vector<PlanInstalment>& rows) {
    write_instalments(run.db, run.business, number, rows);
}

}  // namespace qz::domain::pos
