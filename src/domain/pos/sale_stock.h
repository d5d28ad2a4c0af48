#pragma once
// What a sale does to the stock, inside its transaction: an invoice issues its articles (the
// inventory movement when the business generates one, else the warehouse stock alone), orders
// hold units back (BLOQUEO) and give them up when invoiced, and the order or proforma a sale
// comes from is marked with the document it became.
#include <string>
#include <vector>

#include "domain/pos/sale_save_run.h"

namespace qz::domain::pos {

struct StockOutcome {
    std::string movement;               // the ENC_INV number; blank when none was written
    std::vector<Decimal> stock_before;  // per line: the warehouse stock before it (INV_TOT)
    std::vector<std::string> warnings;  // stocked articles the warehouse keeps no row for
};

// Who issues (or, by the concept's TIPO2, takes back into) the stock of one document.
struct StockIssue {
    data::Db& db;
    std::string business;
    const DocumentConcept& doc_concept;
    const LedgerSettings& settings;
    std::string warehouse, customer_name;
    Date date;
    std::string time, user, info;  // info blank: stamped now
};

// Every stock row is locked before it is judged; stock short under the lock throws, and the
// caller's transaction rolls back.
StockOutcome issue_document_stock(const StockIssue& s, const std::string& document,
                                  const std::vector<SaleLine>& lines);
StockOutcome issue_sale_stock(SaleRun& run, const std::string& document,
                              const std::vector<SaleLine>& lines);
void reserve_order_stock(SaleRun& run, const std::vector<SaleLine>& lines);
// The source order or proforma, under its lock; throws when it is gone or another sale
// invoiced it meanwhile.
void mark_source_document(SaleRun& run, const std::string& number);

}  // namespace qz::domain::pos
