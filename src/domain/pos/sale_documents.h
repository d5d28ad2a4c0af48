#pragma once
// One document of a sale as it is written: its number, header, lines, extra header and
// instalments, in the receivable's tables or an order's or a proforma's. Written inside the
// sale's transaction.
#include <string>
#include <vector>

#include "core/decimal.h"
#include "domain/ledger/instalments.h"
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

void write_document_header(SaleRun& run, const SaleDocument& doc);
void write_document_lines(SaleRun& run, const SaleDocument& doc);
void write_extra_header(SaleRun& run, const SaleDocument& doc);
// DOC_PARC: the typed plan (its share of the sale for one of several documents), or one
// instalment for the whole amount at the term.
std::vector<PlanInstalment> document_instalments(const SaleRun& run, const SaleDocument& doc,
                                                 const Decimal& sale_total);
void write_instalments(SaleRun& run, const std::string& number,
                       const std::vector<PlanInstalment>& rows);

}  // namespace qz::domain::pos
