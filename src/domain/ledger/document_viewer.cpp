#include "domain/ledger/document_viewer.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// The class characters of the orders that split documents by balance (DOCUMEN12/13) and by
// state (DOCUMEN25).
constexpr const char* kOpenClass = "0";

std::string state_class(DocumentState s) {
    switch (s) {
        case DocumentState::Open:
            return "0";
        case DocumentState::Settled:
            return "1";
        case DocumentState::Annulled:
            return "2";
        case DocumentState::All:
            break;
    }
    return "";
}

}  // namespace

DocumentState ViewedDocument::state() const {
    if (!annulled_by.empty()) return DocumentState::Annulled;
    return balance.is_zero() ? DocumentState::Settled : DocumentState::Open;
}

ViewedDocument viewed_document_from_row(const data::WDBTable& t) {
    ViewedDocument d;
    d.number = trim(t.str("DOCUMENTO"));
    d.concept_code = trim(t.str("CONCEPTO"));
    d.customer = trim(t.str("CLIENTE"));
    d.branch = trim(t.str("SUBCLIENTE"));
    d.name = trim(t.str("NOM_CLIENT"));
    d.date = t.date("FECHA");
    d.due = t.date("VENCE");
    d.currency = trim(t.str("MONEDA"));
    d.gross = t.num("BRUTO");
    d.amount = t.num("MONTO");
    d.balance = t.num("SALDO");
    d.instalment = t.num("CUOTA");
    d.interest = t.num("INTERES");
    d.agent = trim(t.str("AGENTE"));
    d.diff_type = trim(t.str("COD_DIFF"));
    d.clas1 = trim(t.str("CLAS1"));
    d.clas2 = trim(t.str("CLAS2"));
    d.clas3 = trim(t.str("CLAS3"));
    d.description = rtrim(t.str("DESCRIP"));
    d.annulled_by = trim(t.str("ANULADO"));
    d.delivered = t.num("ENTREGADO") == 1;
    d.delivered_on = t.date("FECHAENT");
    return d;
}

std::string document_key(const std::string& business, const std::string& number) {
    return data::order_key("DOCUMENT", "DOCUMENT", {business, trim(number)});
}

std::optional<ViewedDocument> read_viewed_document(data::Db& db, const std::string& business,
                                                   const std::string& number) {
    std::optional<ViewedDocument> out;
    if (trim(number).empty()) return out;
    UsedTable t(db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(document_key(business, number))) {
        out = viewed_document_from_row(*t);
        out->recno = t->RecNo();
    }
    return out;
}

bool write_document(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& number,
                    const std::function<bool(data::WDBTable& doc)>& write) {
    try {
        data::Transaction tx(db);
        bool found = false, written = false;
        {
            UsedTable t(db, "DOCUMENT", "DOCUMENT");
            found = lock_at_key(*t, document_key(business, number));
            written = found && write(*t);
            if (found) data::UNLOCK_FOR_MODIFY(*t);
        }
        tx.commit();  // a refusal wrote nothing: this only gives the lock back
        if (!found) return refuse(port, kDocumentGone + trim(number));
        return written;
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
}

ViewerScope viewer_scope(const std::string& business, const ViewerFilter& f) {
    const std::string customer = trim(f.customer), branch = trim(f.branch);
    const bool by_branch = !customer.empty() && !branch.empty();
    if (f.state == DocumentState::Open) {
        if (by_branch)
            return {"DOCUMEN12", data::order_key("DOCUMENT", "DOCUMEN12",
                                                 {business, kOpenClass, customer, branch})};
        if (!customer.empty())
            return {"DOCUMEN13",
                    data::order_key("DOCUMENT", "DOCUMEN13", {business, kOpenClass, customer})};
        return {"DOCUMEN13", data::order_key("DOCUMENT", "DOCUMEN13", {business, kOpenClass})};
    }
    if (f.state != DocumentState::All) {
        const std::string cls = state_class(f.state);
        if (by_branch)
            return {"DOCUMEN25",
                    data::order_key("DOCUMENT", "DOCUMEN25", {business, cls, customer, branch})};
        if (!customer.empty())
            return {"DOCUMEN25",
                    data::order_key("DOCUMENT", "DOCUMEN25", {business, cls, customer})};
        return {"DOCUMEN25", data::order_key("DOCUMENT", "DOCUMEN25", {business, cls})};
    }
    if (by_branch)
        return {"DOCUMEN15",
                data::order_key("DOCUMENT", "DOCUMEN15", {business, customer, branch})};
    if (!customer.empty())
        return {"DOCUMEN3", data::order_key("DOCUMENT", "DOCUMEN3", {business, customer})};
    return {"DOCUMEN3", data::business_key(business)};
}

const char* document_state_name(DocumentState s) {
    switch (s) {
        case DocumentState::Open:
            return "Pendientes";
        case DocumentState::Settled:
            return "Cancelados";
        case DocumentState::Annulled:
            return "Anulados";
        case DocumentState::All:
            break;
    }
    return "Todos";
}

}  // namespace qz::domain
