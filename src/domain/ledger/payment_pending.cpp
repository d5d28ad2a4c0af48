#include "domain/ledger/payment_pending.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/payment_rows.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kNoteLine = "N. C";
constexpr const char* kPendingFailed =
    "No se pudo guardar el Movimiento Pendiente.  Por favor vuelva a intentar...";

std::optional<std::string> draw_pending_number(data::Db& db, UserPort& port,
                                               const std::string& business,
                                               const ReceiptBlock& block) {
    const std::string n = trim(GET_NXSERIAL(db, business, block.pending_series));
    if (!is_no_serial(n) && !n.empty()) return n;
    refuse(port, "Consecutivo de Recibo no existe: " + block.pending_series);
    return std::nullopt;
}

void write_pending(data::Db& db, const PaymentDraft& d, const std::string& number) {
    const std::string& biz = d.business();
    const DateTime now = db.clock().now();
    {
        UsedTable t(db, "PENC_MOV", "ENC_MOVE");
        data::ADD_NEW_REC(*t);
        put_payment_header(*t, biz, number, d.header(), now.time);
        t->FieldPut("USUARIO", db.XUSER_ABREVIA);
        t->FieldPut("INFO_USER", info_user(now));
        data::UNLOCK_NEW_REC(*t);
    }
    UsedTable det(db, "PDET_MOV", "DET_MOVE");
    for (const auto& l : d.lines()) {
        data::ADD_NEW_REC(*det);
        put_application(*det, biz, number,
                        {l.document, l.concept_def.code, l.description, d.header().date, now.time,
                         l.amount, l.interest, l.late, l.balance_read, l.new_balance});
        data::UNLOCK_NEW_REC(*det);
    }
    if (const auto& note = d.note()) {
        data::ADD_NEW_REC(*det);
        StoredApplication a;
        a.concept_code = note->concept_code;
        a.description = kNoteLine;
        a.amount = note->amount;
        put_application(*det, biz, number, a);
        data::UNLOCK_NEW_REC(*det);
    }
    UsedTable ten(db, "PDET_MV2", "DET_MOV2");
    for (const auto& tender : d.tenders()) {
        data::ADD_NEW_REC(*ten);
        put_tender(*ten, biz, number, tender);
        data::UNLOCK_NEW_REC(*ten);
    }
}

}  // namespace

std::optional<std::string> save_pending_payment(data::Db& db, UserPort& port, PaymentDraft& draft) {
    const PaymentHeader& h = draft.header();
    if (h.customer.empty()) {
        refuse(port, "Falta seleccionar el cliente");
        return std::nullopt;
    }
    const auto block = read_receipt_block(db, draft.business(), h.block);
    if (!block) {
        refuse(port, "Falta seleccionar el block");
        return std::nullopt;
    }
    try {
        data::Transaction tx(db);
        std::optional<std::string> number = h.pending;
        if (h.pending.empty())
            number = draw_pending_number(db, port, draft.business(), *block);
        else
            delete_payment_rows(db, kPendingPayment, draft.business(), h.pending);
        if (!number) return std::nullopt;  // nothing was written
        write_pending(db, draft, *number);
        tx.commit();
        draft.set_pending(*number);
        return number;
    } catch (const data::DbError&) {
        refuse(port, kPendingFailed);
        return std::nullopt;
    }
}

bool load_pending_payment(data::Db& db, UserPort& port, const std::string& number,
                          PaymentDraft& draft) {
    const std::string& biz = draft.business();
    const std::string n = trim(number);
    PaymentHeader h;
    {
        UsedTable t(db, "PENC_MOV", "ENC_MOVE");
        if (!t->Seek(data::order_key("PENC_MOV", "ENC_MOVE", {biz, n})))
            return refuse(port, "El movimiento pendiente " + n + " no existe");
        h = payment_header_from_row(*t);
        h.pending = n;
    }
    std::vector<AppliedLine> lines;
    std::optional<ExcessNote> note;
    for (const auto& a : read_applications(db, kPendingPayment, biz, n)) {
        if (a.document.empty()) {
            note = ExcessNote{a.concept_code, a.amount};
            continue;
        }
        auto l = applied_document(db, biz, a.document);
        if (!l) return refuse(port, "El documento " + a.document + " no existe");
        const auto c = read_payment_concept(db, biz, a.concept_code);
        if (!c) return refuse(port, "El Concepto de Abono " + a.concept_code + " no está definido");
        l->concept_def = *c;
        l->description = a.description;
        l->amount = a.amount;
        l->interest = a.interest;
        l->late = a.late;
        l->balance_read = a.balance_before;
        l->new_balance = a.balance_after;
        lines.push_back(*l);
    }
    draft.restore(h, std::move(lines), read_tenders(db, kPendingPayment, biz, n), note);
    return true;
}

std::vector<PendingPayment> pending_payments(data::Db& db, const std::string& business) {
    std::vector<PendingPayment> out;
    UsedTable t(db, "PENC_MOV", "ENC_MOVE");
    const std::string key = data::order_key("PENC_MOV", "ENC_MOVE", {business});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({trim(t->str("MOVIMIENTO")), trim(t->str("CLIENTE")),
                       trim(t->str("NOM_CLIENT")), trim(t->str("MONEDA")), t->date("FECHA"),
                       t->num("MONTO")});
    return out;
}

}  // namespace qz::domain
