// A cash sale (a concept without receivable, NO_CXC) was paid when it was made; annulling it
// annuls that payment too, by a mirror movement as a payment's own annulment writes one: the
// header numbered with "-A" naming the payment in ANULADO (and named in the payment's), an
// application "(A)" with the payment concept's opposite, and each tender reversed. A tender's
// method with an opposite method gets its amount under that method; one without gets the
// negative amount under its own, so the register's closing nets it either way.
//
// Tenders charged to a hotel folio (TO_HOTEL) are reversed here like any other; their charge on
// the folio is not, since nothing in this installation writes such charges yet.
#include <set>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/ledger/payment_setup.h"
#include "domain/session/master_rows.h"

namespace qz::domain::annulment {

namespace {

// The movements applied to `document` (order DET_MOV2: business + document + movement).
std::set<std::string> movements_applied_to(data::Db& db, const std::string& business,
                                           const std::string& document) {
    std::set<std::string> out;
    data::Table t = data::USE(db, "DET_MOVE", "DET_MOV2");
    const std::string key = data::order_key("DET_MOVE", "DET_MOV2", {business, document});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.insert(trim(t->str("MOVIMIENTO")));
    data::KILLTABLA(db, t);
    return out;
}

// Whether the movement applies to any document but `document`.
bool applies_elsewhere(data::Db& db, const std::string& business, const std::string& movement,
                       const std::string& document) {
    data::Table t = data::USE(db, "DET_MOVE", "DET_MOVE");
    const std::string key = data::order_key("DET_MOVE", "DET_MOVE", {business, movement});
    t->SetScope(key, key);
    bool elsewhere = false;
    for (t->GoTop(); !t->Eof() && !elsewhere; t->Skip())
        elsewhere = trim(t->str("DOCUMENTO")) != document;
    data::KILLTABLA(db, t);
    return elsewhere;
}

bool still_valid(data::Db& db, const std::string& business, const std::string& movement) {
    data::Table t = data::USE(db, "ENC_MOVE", "ENC_MOVE");
    const bool valid = t->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {business, movement})) &&
                       trim(t->str("ANULADO")).empty();
    data::KILLTABLA(db, t);
    return valid;
}

// Copies every row of `table` under the movement (order of the table's own name) to the
// mirror, letting `adjust` change each copy before it is written.
template <class Adjust>
void copy_rows(data::Db& db, const std::string& table, const std::string& business,
               const PaymentMirror& p, Adjust adjust) {
    std::vector<std::vector<data::Value>> rows;
    data::Table t = data::USE(db, table, table);
    const std::string key = data::order_key(table, table, {business, p.number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        std::vector<data::Value> r;
        for (int i = 1; i <= t->FCount(); ++i) r.push_back(t->FieldGet(i));
        rows.push_back(std::move(r));
    }
    t->ClearScope();
    for (const auto& r : rows) {
        data::ADD_NEW_REC(*t);
        for (size_t i = 0; i < r.size(); ++i) t->FieldPut(static_cast<int>(i) + 1, r[i]);
        t->FieldPut("MOVIMIENTO", p.mirror);
        adjust(*t);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

void mirror_header(data::Db& db, const Stamp& s, const PaymentMirror& p) {
    data::Table t = data::USE(db, "ENC_MOVE", "ENC_MOVE");
    if (!lock_at_key(*t, data::order_key("ENC_MOVE", "ENC_MOVE", {s.business, p.number})))
        throw data::TransactionAborted("El movimiento " + p.number + " ya no existe");
    // Annulled at another workstation since it was planned: mirroring it again would count its
    // reversal twice.
    if (!trim(t->str("ANULADO")).empty())
        throw data::TransactionAborted("El movimiento " + p.number + " ya fue anulado");
    t->FieldPut("ANULADO", p.mirror);
    t->FieldPut("F_ANULA", s.date);
    t->FieldPut("H_ANULA", s.at.time);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    copy_rows(db, "ENC_MOVE", s.business, p, [&](data::WDBTable& m) {
        m.FieldPut("FECHA", s.date);
        m.FieldPut("HORA", s.at.time);
        m.FieldPut("DESCRIP", "Anula Movimiento: " + p.number);
        m.FieldPut("NOTA_CRED", std::string());
        m.FieldPut("ANULADO", p.number);
        m.FieldPut("F_ANULA", s.date);
        m.FieldPut("H_ANULA", s.at.time);
        m.FieldPut("USUARIO", s.user);
        m.FieldPut("INFO_USER", s.info);
    });
}

}  // namespace

PaymentPlan plan_payment_mirrors(data::Db& db, const std::string& business, const Doc& d) {
    PaymentPlan plan;
    const size_t width = data::field_width("ENC_MOVE", "MOVIMIENTO");
    for (const std::string& movement : movements_applied_to(db, business, d.number)) {
        if (!still_valid(db, business, movement)) continue;
        if (applies_elsewhere(db, business, movement, d.number)) {
            plan.refusal = "El movimiento " + movement +
                           " se aplicó también a otros documentos.\rDebe anularse el movimiento "
                           "antes de anular el presente documento.";
            return plan;
        }
        const std::string mirror = mirror_number(movement, width);
        if (key_exists(db, "ENC_MOVE", "ENC_MOVE", {business, mirror})) {
            plan.refusal = "El movimiento de anulación ya se encuentra:" + mirror;
            return plan;
        }
        plan.payments.push_back({movement, mirror});
    }
    return plan;
}

void mirror_payments(data::Db& db, const Stamp& s, const Doc& d,
                     const std::vector<PaymentMirror>& payments) {
    for (const PaymentMirror& p : payments) {
        mirror_header(db, s, p);
        copy_rows(db, "DET_MOVE", s.business, p, [&](data::WDBTable& m) {
            const auto concept_row = read_payment_concept(db, s.business, trim(m.str("CONCEPTO")));
            if (concept_row && !concept_row->reversal.empty())
                m.FieldPut("CONCEPTO", concept_row->reversal);
            m.FieldPut("DESCRIP", "(A)" + trim(m.str("DESCRIP")));
            m.FieldPut("MONTO", d.amount);
            m.FieldPut("SALDO_ANT", Decimal(0));
            m.FieldPut("SALDO", d.amount);
            m.FieldPut("FECHA", s.date);
            m.FieldPut("HORA", s.at.time);
        });
        copy_rows(db, "DET_MOV2", s.business, p, [&](data::WDBTable& m) {
            const auto method = read_payment_method(db, s.business, trim(m.str("CODIGO")));
            if (method && !method->reversal.empty())
                m.FieldPut("CODIGO", method->reversal);
            else
                m.FieldPut("MONTO", Decimal(0) - m.num("MONTO"));
            m.FieldPut("DESCRIP", "Anula: " + trim(m.str("DESCRIP")));
            m.FieldPut("MOV_BANCO", std::string());
        });
        copy_rows(db, "DET_MOV3", s.business, p, [](data::WDBTable&) {});
    }
}

}  // namespace qz::domain::annulment
