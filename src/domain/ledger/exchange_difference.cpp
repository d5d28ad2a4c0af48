#include "domain/ledger/exchange_difference.h"

#include <cstdio>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/diff_types.h"
#include "domain/session/keys.h"

namespace qz::domain {

namespace {

// What the decision needs from the document and its concept.
struct DocumentFacts {
    bool found = false;
    std::string currency, concept_code, diff_type;
    Decimal issue_rate, amount;
    bool debit = true;
    std::string receivable_link;  // CONCEPT1.ASIENTO4
};

DocumentFacts read_document(data::Db& db, const std::string& business, const std::string& doc) {
    DocumentFacts f;
    data::Table d = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (d->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, doc}))) {
        f.found = true;
        f.currency = trim(d->str("MONEDA"));
        f.concept_code = trim(d->str("CONCEPTO"));
        f.diff_type = trim(d->str("COD_DIFF"));
        f.issue_rate = d->num("TC_DIFF");
        f.amount = d->num("MONTO");
    }
    data::KILLTABLA(db, d);
    if (!f.found) return f;
    data::Table c = data::USE(db, "CONCEPT1", "CONCEPT1");
    f.found = c->Seek(data::order_key("CONCEPT1", "CONCEPT1", {business, f.concept_code}));
    if (f.found) {
        f.debit = c->num("TIPO") == 1;
        f.receivable_link = trim(c->str("ASIENTO4"));
    }
    data::KILLTABLA(db, c);
    return f;
}

std::string accounting_currency(data::Db& db, const std::string& business) {
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    std::string code;
    if (n->Seek(keys::business(business))) code = trim(n->str("MONEDA_CON"));
    data::KILLTABLA(db, n);
    return code;
}

// The newest revaluation: TC_NUEVO and SALDO of the first row in DET_DOC3 order; of two rows
// written in the same second the later one (the higher record number).
bool last_revaluation(data::Db& db, const std::string& business, const std::string& doc,
                      Decimal& rate, Decimal& balance) {
    data::Table t = data::USE(db, "DET_DOC3", "DET_DOC3");
    const std::string scope = data::order_key("DET_DOC3", "DET_DOC3", {business, doc});
    bool found = t->Seek(scope);
    if (found) {
        const std::string newest = t->CurrentKey();
        for (; !t->Eof() && t->CurrentKey() == newest; t->Skip()) {
            rate = t->num("TC_NUEVO");
            balance = t->num("SALDO");
        }
    }
    data::KILLTABLA(db, t);
    return found;
}

// The adjustment is the change of the receivable's debit balance (a credit document's balance
// is negative in it): the receivable link takes it on its side, the exchange-difference link the
// other.
std::vector<AdjustmentLine> adjustment_lines(const DiffType& type, const DocumentFacts& f,
                                             const ExchangeDifferenceRequest& r,
                                             const Decimal& adjustment) {
    const std::string text = "A/Diff: " + trim(r.document) + "/" + trim(r.movement);
    const Decimal amount = adjustment.abs();
    const bool receivable_debit = adjustment.sign() > 0;
    AdjustmentLine receivable{f.receivable_link, {}, {}, text};
    AdjustmentLine diff{type.link, {}, {}, text};
    (receivable_debit ? receivable.debit : receivable.credit) = amount;
    (receivable_debit ? diff.credit : diff.debit) = amount;
    return {diff, receivable};
}

void append_revaluation(data::Db& db, const ExchangeDifferenceRequest& r,
                        const ExchangeDifference& x) {
    data::Table t = data::USE(db, "DET_DOC3", "DET_DOC3");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", r.business);
    t->FieldPut("DOCUMENTO", r.document);
    t->FieldPut("MOVIMIENTO", r.movement);
    t->FieldPut("FECHA", r.fecha);
    t->FieldPut("HORA", r.hora);
    t->FieldPut("HORA_INV", inverted_time(r.hora));
    t->FieldPut("LIMITE", date_2090());
    t->FieldPut("TC_ANT", x.base_rate);
    t->FieldPut("TC_NUEVO", r.current_rate);
    t->FieldPut("MONTO", r.amount);
    t->FieldPut("FACTOR", Decimal(x.factor));
    t->FieldPut("SALDO_ANT", x.base_balance);
    t->FieldPut("SALDO", r.balance_after);
    t->FieldPut("M_AJUSTE", x.adjustment);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

Decimal last_valued_rate(data::Db& db, const std::string& business, const std::string& document,
                         const Decimal& issue_rate, Decimal* balance) {
    Decimal rate, saldo;
    if (!last_revaluation(db, business, document, rate, saldo)) return issue_rate;
    if (balance) *balance = saldo;
    return rate;
}

std::string inverted_time(const std::string& hora) {
    int h = 0, m = 0, s = 0;
    std::sscanf(hora.c_str(), "%d:%d:%d", &h, &m, &s);
    // A malformed time counts as midnight rather than writing a key out of range.
    const int seconds = h * 3600 + m * 60 + s;
    const int left = seconds >= 0 && seconds <= 86399 ? 86399 - seconds : 86399;
    std::string out = std::to_string(left);
    return std::string(8 - out.size(), '0') + out;
}

ExchangeDifference exchange_difference(data::Db& db, const ExchangeDifferenceRequest& r) {
    ExchangeDifference x;
    const DocumentFacts f = read_document(db, r.business, r.document);
    if (!f.found) {
        x.problem = "Error en asociacion de Conceptos: Documento: " + trim(r.document);
        return x;
    }
    if (f.currency == accounting_currency(db, r.business)) return x;
    x.foreign = true;
    x.factor = f.debit ? 1 : -1;
    // A missing rate would revalue the whole balance to nothing.
    if (r.current_rate.sign() <= 0) {
        x.problem = kMissingPaymentRate;
        return x;
    }
    if (!last_revaluation(db, r.business, r.document, x.base_rate, x.base_balance)) {
        x.base_rate = f.issue_rate;
        x.base_balance = f.amount;
    }
    x.adjustment = ROUND5(x.base_balance * (r.current_rate - x.base_rate) * Decimal(x.factor));
    if (x.adjustment.is_zero()) return x;
    // A document without a type, or naming one since deleted, cannot say where to post.
    const auto type = read_diff_type(db, r.business, f.diff_type);
    if (!type) {
        x.problem =
            "No hay Tipo de Diferencial definido para ajuste del Diferencial.Revise que el "
            "Documento tenga un Tipo de Diferencial asociado.Documento: " +
            trim(r.document);
    } else if (type->adjust && type->link.empty()) {
        x.problem =
            "No hay liga disponible para ajuste del Diferencial.Revise que el Tipo de "
            "Diferencial tenga una Liga asociada.Documento: " +
            trim(r.document);
    } else if (type->adjust) {
        x.posts = true;
        x.lines = adjustment_lines(*type, f, r, x.adjustment);
    }
    return x;
}

ExchangeDifference apply_exchange_difference(data::Db& db, const ExchangeDifferenceRequest& r) {
    ExchangeDifference x = exchange_difference(db, r);
    if (x.posts) append_revaluation(db, r, x);
    return x;
}

}  // namespace qz::domain
