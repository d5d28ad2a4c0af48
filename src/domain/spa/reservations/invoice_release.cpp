#include "domain/spa/reservations/invoice_release.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/document_annulment_listeners.h"
#include "domain/session/master_rows.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

int release_invoiced_reservations(data::Db& db, const std::string& business,
                                  const std::string& document) {
    // A blank number is every reservation not invoiced yet, and clearing would never end.
    if (trim(document).empty()) return 0;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "SPA_RESE", "SPA_RESE13");
    const std::string key = data::order_key("SPA_RESE", "SPA_RESE13", {business, document});
    int released = 0;
    // Clearing the invoice takes the row out of the key: the next seek finds the next one.
    while (lock_at_key(*t, key)) {
        SpaHeader h = reservation_from_row(*t);
        h.mov_cxc.clear();
        if (h.state == kInvoiced) h.state = kActive;
        put_reservation_row(*t, business, h);
        data::UNLOCK_FOR_MODIFY(*t);
        ++released;
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return released;
}

void listen_to_document_annulments() {
    on_document_annulled(
        "reservas del spa", [](data::Db& db, UserPort&, const AnnulledDocument& annulled) {
            release_invoiced_reservations(db, annulled.business, annulled.document);
        });
}

}  // namespace qz::domain::spa
