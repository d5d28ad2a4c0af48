#include "domain/ledger/document_delivery.h"

#include <map>

#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

long mark_documents_delivered(data::Db& db, UserPort& port, const std::string& business,
                              const std::vector<std::string>& numbers, bool delivered,
                              const Date& on) {
    if (numbers.empty()) {
        refuse(port, kNoDocumentChosen);
        return -1;
    }
    long done = 0;
    try {
        data::Transaction tx(db);
        {
            UsedTable t(db, "DOCUMENT", "DOCUMENT");
            for (const auto& number : numbers) {
                if (!lock_at_key(*t, document_key(business, number))) continue;
                t->FieldPut("ENTREGADO", Decimal(delivered ? 1 : 0));
                t->FieldPut("FECHAENT", delivered ? on : Date());
                data::UNLOCK_FOR_MODIFY(*t);
                ++done;
            }
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return -1;
    }
    return done;
}

DeliveryListing delivery_listing(data::Db& db, const std::string& business,
                                 const ViewerFilter& filter, bool delivered) {
    DeliveryListing out;
    out.delivered = delivered;
    const ViewerScope scope = viewer_scope(business, filter);
    UsedTable t(db, "DOCUMENT", scope.order);
    t->SetScope(scope.key, scope.key);
    std::map<std::string, DeliveryTotal> totals;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const ViewedDocument d = viewed_document_from_row(*t);
        if (d.delivered != delivered) continue;
        out.lines.push_back({d.number, d.customer, d.name, d.currency, d.date, d.delivered_on,
                             d.amount, d.balance});
        DeliveryTotal& total = totals[d.currency];
        total.currency = d.currency;
        ++total.documents;
        total.amount += d.amount;
        total.balance += d.balance;
    }
    for (auto& [code, total] : totals) out.totals.push_back(total);
    return out;
}

}  // namespace qz::domain
