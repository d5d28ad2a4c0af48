#pragma once
// Who wants to hear that a document was annulled. The modules above the ledger keep links to
// documents (the spa's reservation invoiced into one) that the ledger may not know about; each
// registers here when it starts, and the annulment tells every one of them once its own
// transaction has committed.
#include <functional>
#include <string>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct AnnulledDocument {
    std::string business, document, mirror, user;
    Date date;
};

using AnnulmentListener =
    std::function<void(data::Db& db, UserPort& port, const AnnulledDocument& annulled)>;

// Registers `listener` under `name`; a module registering again (a new main window, a test)
// replaces its earlier listener instead of being told twice. An empty listener removes it.
void on_document_annulled(const std::string& name, AnnulmentListener listener);

// Tells every listener, in the order of their names. The annulment stands whatever a listener
// does: one that fails has its failure shown and the others are still told.
void notify_document_annulled(data::Db& db, UserPort& port, const AnnulledDocument& annulled);

}  // namespace qz::domain
