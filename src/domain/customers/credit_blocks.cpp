#include "domain/customers/credit_blocks.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

void put_block_row(data::WDBTable& t, const std::string& business, const Block& b) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLAS1", b.clas1);
    t.FieldPut("CLAS2", b.clas2);
    t.FieldPut("AGENTE", b.agent);
    t.FieldPut("N_DOC", b.document);
    t.FieldPut("OBSERVA", b.observation);
    t.FieldPut("MOTIVO", Decimal(b.reason));
    t.FieldPut("USER", b.user);
}

// The block other than `recno` that holds the pair, read inside the caller's transaction.
std::optional<Block> pair_holder(data::WDBTable& t, const std::string& business, const Block& b) {
    if (!t.Seek(data::order_key("BLQ_CXC", "BLQ_CXC", {business, b.clas1, b.clas2})))
        return std::nullopt;
    Block holder = block_from_row(t);
    if (holder.recno == b.recno) return std::nullopt;
    return holder;
}

}  // namespace

Block block_from_row(const data::WDBTable& t) {
    Block b;
    b.recno = const_cast<data::WDBTable&>(t).RecNo();
    b.clas1 = trim(t.str("CLAS1"));
    b.clas2 = trim(t.str("CLAS2"));
    b.agent = trim(t.str("AGENTE"));
    b.document = trim(t.str("N_DOC"));
    b.observation = trim(t.str("OBSERVA"));
    b.reason = static_cast<int>(t.num("MOTIVO").to_int());
    b.user = trim(t.str("USER"));
    return b;
}

const char* block_reason_name(int reason) { return reason == kReserved ? "Reservado" : "Pre-Venta"; }

std::string pair_taken_message(const Block& holder) {
    return "Ya existe un bloqueo con la combinación de Clas#1 y Clas#2 seleccionados\r\n#Doc :" +
           holder.document + "\r\nObs:" + holder.observation;
}

std::vector<Block> blocks(data::Db& db, const std::string& business) {
    return business_rows<Block>(db, "BLQ_CXC", business, block_from_row);
}

std::optional<std::string> save_block(data::Db& db, const std::string& business, Block b,
                                      const std::string& user) {
    b.agent = normal_code(b.agent);
    b.clas1 = normal_code(b.clas1);
    b.clas2 = normal_code(b.clas2);
    if (b.agent.empty()) return kNoAgent;
    if (b.clas1.empty()) return kNoClass1;
    if (b.clas2.empty()) return kNoClass2;
    b.user = user;
    std::optional<std::string> refusal;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "BLQ_CXC", "BLQ_CXC");
    // Looked up inside the transaction that writes, so two workstations blocking the same pair
    // at once meet the unique order rather than both passing the check.
    if (auto holder = pair_holder(*t, business, b)) {
        refusal = pair_taken_message(*holder);
    } else if (b.recno > 0) {
        t->GoTo(b.recno);
        if (!t->Eof() && !t->Deleted()) {
            data::LOCK_FOR_MODIFY(*t);
            put_block_row(*t, business, b);
            data::UNLOCK_FOR_MODIFY(*t);
        }
    } else {
        data::ADD_NEW_REC(*t);
        put_block_row(*t, business, b);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();  // a refusal wrote nothing
    return refusal;
}

void delete_block(data::Db& db, long recno) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "BLQ_CXC");
    t->GoTo(recno);
    if (!t->Eof() && !t->Deleted()) {
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
}

}  // namespace qz::domain::customers
