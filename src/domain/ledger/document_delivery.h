#pragma once
// Whether a document was delivered to its customer: ENTREGADO 1 with the day it was marked in
// FECHAENT, or ENTREGADO 0 with FECHAENT empty. (FECHA_ENT is the collections' own date of handing
// a document to a collector and is left alone.) The listings of delivered and not delivered
// documents read the rows of one viewer filter.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/document_viewer.h"

namespace qz::domain {

// Marks every document given as delivered on `on`, or as not delivered, in one transaction.
// Returns the documents marked (a document gone meanwhile is skipped), -1 when refused.
long mark_documents_delivered(data::Db& db, UserPort& port, const std::string& business,
                              const std::vector<std::string>& numbers, bool delivered,
                              const Date& on);

struct DeliveryLine {
    std::string number, customer, name, currency;
    Date date, delivered_on;
    Decimal amount, balance;
};
struct DeliveryTotal {
    std::string currency;
    long documents = 0;
    Decimal amount, balance;
};
struct DeliveryListing {
    bool delivered = true;
    std::vector<DeliveryLine> lines;    // in the order of the filter's scope
    std::vector<DeliveryTotal> totals;  // by currency code
};
// The documents of the filter that are (or are not) delivered.
DeliveryListing delivery_listing(data::Db& db, const std::string& business,
                                 const ViewerFilter& filter, bool delivered);

}  // namespace qz::domain
