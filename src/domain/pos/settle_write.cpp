// CANCELA_FAC: the receipt of a settlement, written through the counter receipt in one
// transaction: the header, one application per marked document with its balance brought to 0,
// the receivable postings, the tenders with theirs, the day's rates and the revaluation of
// documents in other currencies. Anything failing on the way takes all of it back.
//
// The cashier marked documents as they were listed; another workstation may have paid, annulled
// or deleted one since. Every marked document is locked first (in number order, so two
// settlements never wait for each other) and compared with the listing; one that moved refuses
// the whole receipt, so a document is never paid twice nor a balance paid that is not owed.
#include <algorithm>
#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/exchange_difference.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/statement_tables.h"
#include "domain/pos/sale_receipt.h"
#include "domain/pos/settle.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Atencion, "Atencion", text);
    return false;
}

struct Marked {
    const PendingDocument* doc;
    DocumentConcept concept_def;
    Decimal paid;  // in the register currency
};

// The marked documents with their concepts; none when a concept is missing (told).
std::optional<std::vector<Marked>> marked_documents(data::Db& db, UserPort& port,
                                                    const Settlement& s) {
    std::vector<Marked> out;
    for (const auto& d : s.documents()) {
        if (!d.marked) continue;
        const auto c = read_document_concept(db, s.business(), d.concept_code);
        if (!c) {
            refuse(port, "El concepto " + d.concept_code + " no está definido");
            return std::nullopt;
        }
        out.push_back({&d, *c, s.in_register_currency(d)});
    }
    return out;
}

// Locks every marked document and keeps its balance before in SALDO_ORIG; the numbers of those
// deleted, annulled or with another balance than listed ("" when none).
std::string lock_unchanged(data::Db& db, const std::string& business,
                           const std::vector<Marked>& marked) {
    std::vector<const PendingDocument*> by_number;
    for (const auto& m : marked) by_number.push_back(m.doc);
    std::sort(by_number.begin(), by_number.end(),
              [](const auto* a, const auto* b) { return a->document < b->document; });
    std::string changed;
    UsedTable t(db, "DOCUMENT", "DOCUMENT");
    for (const PendingDocument* d : by_number) {
        const bool locked =
            lock_at_key(*t, data::order_key("DOCUMENT", "DOCUMENT", {business, d->document}));
        if (locked && trim(t->str("ANULADO")).empty() && t->num("SALDO") == d->balance)
            t->FieldPut("SALDO_ORIG", d->balance);
        else
            changed += (changed.empty() ? "" : "\r\n") + d->document;
        if (locked) data::UNLOCK_FOR_MODIFY(*t);
    }
    return changed;
}

CounterReceipt counter_receipt(const Settlement& s, const std::vector<Marked>& marked,
                               const std::vector<TenderRow>& tenders, const SettleStamp& stamp) {
    const SettleRegister& reg = *s.register_held();
    CounterReceipt r;
    r.business = s.business();
    r.customer = s.customer();
    r.customer_name = marked.front().doc->customer_name;
    r.currency = reg.currency;
    r.register_code = reg.code;
    r.block = reg.receipt_book;
    r.clerk = stamp.clerk;
    r.user = stamp.user;
    r.info_user = stamp.info_user;
    r.date = s.date();
    r.limit = Date(2090, 1, 1);
    r.time = stamp.time;
    r.amount = s.total();
    r.rate = s.rate_of(reg.currency);
    r.default_method = marked.front().concept_def.payment_method;
    for (const auto& m : marked)
        r.applications.push_back({m.doc->document, &m.concept_def, m.paid, m.doc->balance});
    r.tenders = tenders;
    return r;
}

// A document in another currency than the accounting one is revalued at the day's rate, as any
// payment does; what cannot be adjusted is told once the receipt is written.
void revalue(data::Db& db, ContaTransaction* conta, const Settlement& s,
             const std::vector<Marked>& marked, const std::string& receipt, const std::string& time,
             std::vector<std::string>& problems) {
    for (const auto& m : marked) {
        if (m.doc->currency == s.accounting_currency()) continue;
        const ExchangeDifference x =
            apply_exchange_difference(db, {s.business(), m.doc->document, receipt, s.date(), time,
                                           m.paid, Decimal(), s.rate_of(m.doc->currency)});
        if (!x.problem.empty()) problems.push_back(x.problem);
        if (conta)
            for (const auto& a : x.lines)
                conta->post_link_side(a.link, a.debit, a.credit, s.accounting_currency(),
                                      Decimal(1), a.description);
    }
}

}  // namespace

std::optional<std::string> CANCELA_FAC(data::Db& db, UserPort& port, const Settlement& s,
                                       const std::vector<TenderRow>& tenders,
                                       const SettleStamp& stamp) {
    if (!s.check(port)) return std::nullopt;
    const std::string why = check_receipt_block(db, s.business(), s.register_held()->receipt_book);
    if (!why.empty()) {
        refuse(port, why);
        return std::nullopt;
    }
    const bool posts = read_ledger_settings(db, s.business()).posts;
    if (posts && !check_mayorizar(db, port, s.business(), s.date())) return std::nullopt;
    const auto marked = marked_documents(db, port, s);
    if (!marked) return std::nullopt;
    const std::string time = trim(stamp.time).empty() ? db.clock().now().time : stamp.time;
    std::vector<std::string> problems;
    std::string number;
    try {
        data::Transaction tx(db, data::kTransPayment);
        const std::string changed = lock_unchanged(db, s.business(), *marked);
        if (!changed.empty()) {
            tx.rollback();
            refuse(port, kDocumentsChanged + changed);
            return std::nullopt;
        }
        number = take_receipt_number(db, s.business(), s.register_held()->receipt_book);
        std::optional<ContaTransaction> conta;
        if (posts)
            conta.emplace(db, s.business(), "02", s.date(), number,
                          JournalStamp{stamp.user, stamp.info_user});
        ContaTransaction* c = conta && conta->ok() ? &*conta : nullptr;
        if (conta && !conta->ok()) problems.push_back(conta->error());
        SettleStamp at = stamp;
        at.time = time;
        write_counter_receipt(db, c, counter_receipt(s, *marked, tenders, at), number);
        revalue(db, c, s, *marked, number, time, problems);
        if (c) c->close();
        tx.commit();
    } catch (const data::DbError&) {
        refuse(port, kSettleFailed);
        return std::nullopt;
    } catch (const std::runtime_error& e) {
        refuse(port, e.what());
        return std::nullopt;
    }
    for (const auto& p : problems) port.message(MsgStyle::Atencion, "Atencion", p);
    return number;
}

}  // namespace qz::domain::pos
