#pragma once
// The receipts of a register within a period as the closing needs them: their tender lines, the
// documents they apply, the rate of each receipt and what its documents hold in taxed, exempt
// and tax amounts. Each table is read along its order by one prepared statement re-bound per
// receipt, and customers, currencies, rates and documents are read once each, so a shift of
// thousands of receipts reads in a fraction of a second.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::cash {

struct ReceiptTender {
    std::string code;
    Decimal amount;
};

// Nets of a document's lines, in the document's currency.
struct DocumentNets {
    Decimal taxed, exempt, tax;
};

struct ClosingReceipt {
    std::string number, customer, currency, symbol;
    Date date;
    std::string time;
    Decimal rate;                        // to the closing currency
    std::vector<ReceiptTender> tenders;  // in the order written
    std::vector<std::string> documents;  // applied, in the order written
    DocumentNets nets;                   // of every document applied, once each
};

struct ReceiptPeriod {
    std::string business, register_code;
    Date start_date, end_date;
    std::string start_time, end_time;
    std::string accounting_currency;
    std::string closing_currency;  // blank: the accounting currency, at each receipt's own rate
};

// In date and time order (the register's receipt order).
std::vector<ClosingReceipt> read_closing_receipts(data::Db& db, const ReceiptPeriod& period);

// net = PRECIO × CANTIDAD × (100 − DESCUENTO) / 100; a line with a tax rate is taxed.
void add_document_line(DocumentNets& nets, const Decimal& price, const Decimal& quantity,
                       const Decimal& discount, const Decimal& tax_rate);

}  // namespace qz::domain::cash
