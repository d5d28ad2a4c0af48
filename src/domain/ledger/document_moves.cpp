#include "domain/ledger/document_moves.h"

#include <set>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/document_edits.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

namespace dc = qz::domain::customers;

struct Target {
    dc::Customer customer;
    dc::Branch branch;
};

// The payments applied to a document: the movements of its DET_MOVE lines.
std::set<std::string> payments_of(data::Db& db, const std::string& business,
                                  const std::string& number) {
    UsedTable det(db, "DET_MOVE", "DET_MOV2");
    const std::string key = data::order_key("DET_MOVE", "DET_MOV2", {business, number});
    det->SetScope(key, key);
    std::set<std::string> out;
    for (det->GoTop(); !det->Eof(); det->Skip()) out.insert(trim(det->str("MOVIMIENTO")));
    return out;
}

void move_payment(data::Db& db, const std::string& business, const std::string& movement,
                  const dc::Customer& to) {
    UsedTable enc(db, "ENC_MOVE", "ENC_MOVE");
    if (!lock_at_key(*enc, data::order_key("ENC_MOVE", "ENC_MOVE", {business, movement}))) return;
    enc->FieldPut("CLIENTE", to.code);
    enc->FieldPut("NOM_CLIENT", to.name);
    data::UNLOCK_FOR_MODIFY(*enc);
}

// False when the document is gone.
bool move_one(data::Db& db, const std::string& business, const std::string& number,
              const Target& to) {
    {
        UsedTable doc(db, "DOCUMENT", "DOCUMENT");
        if (!lock_at_key(*doc, document_key(business, number))) return false;
        doc->FieldPut("CLIENTE", to.customer.code);
        doc->FieldPut("SUBCLIENTE", to.branch.code);
        doc->FieldPut("NOM_CLIENT", to.branch.name);
        data::UNLOCK_FOR_MODIFY(*doc);
    }
    // The lines keep the customer too: its purchases are listed through them (DET_DOC8).
    rewrite_by_order(db, "DET_DOC", "DET_DOC", {business, number}, "CLIENTE", to.customer.code);
    for (const auto& movement : payments_of(db, business, number))
        move_payment(db, business, movement, to.customer);
    return true;
}

std::optional<Target> target_of(data::Db& db, UserPort& port, const std::string& business,
                                const CustomerMove& m) {
    const auto customer = dc::read_customer(db, business, normal_code(m.customer));
    if (normal_code(m.customer).empty() || !customer) {
        refuse(port, kNoCustomer);
        return std::nullopt;
    }
    for (const auto& s : dc::customer_branches(db, business, customer->code))
        if (s.branch.code == normal_code(m.branch)) return Target{*customer, s.branch};
    refuse(port, kNoBranch);
    return std::nullopt;
}

}  // namespace

long move_documents_to_customer(data::Db& db, UserPort& port, const std::string& business,
                                const CustomerMove& move) {
    if (move.documents.empty()) {
        refuse(port, kNoDocumentChosen);
        return -1;
    }
    const auto target = target_of(db, port, business, move);
    if (!target) return -1;
    long moved = 0;
    try {
        auto wait = port.wait("Trasladando documentos...");
        data::Transaction tx(db);
        for (const auto& number : move.documents) {
            if (wait) wait->put_text(trim(number));
            if (move_one(db, business, trim(number), *target)) ++moved;
        }
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return -1;
    }
    return moved;
}

}  // namespace qz::domain
