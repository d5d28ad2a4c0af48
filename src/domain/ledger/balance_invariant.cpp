#include "domain/ledger/balance_invariant.h"

#include <map>
#include <unordered_map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/ordered_reader.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string accounting_currency(data::Db& db, const std::string& business) {
    UsedTable n(db, "NEGOCIOS", "NEGOCIOS");
    return n->Seek(data::business_key(business)) ? trim(n->str("MONEDA_CON")) : "";
}

// What the walk needs to know of payments: how each payment concept moves a balance, and the
// currency of each payment with the rates it was made at.
class PaymentFacts {
public:
    PaymentFacts(data::Db& db, const std::string& business, bool whole_business)
        : m_db(db),
          m_business(business),
          m_accounting(accounting_currency(db, business)),
          m_enc(db, "ENC_MOVE", "ENC_MOVE"),
          m_stored(db, "DET_MOV3", "DET_MOV3"),
          m_rates(db, "T_CAMBIO", "T_CAMB2"),
          m_business_margin(read_ledger_settings(db, business).balance_margin) {
        for (const auto& c :
             business_rows<PaymentConcept>(db, "CONCEPT2", business, payment_concept_from_row))
            m_raises[c.code] = c.balance_sign == 1;
        if (whole_business) load_foreign_payments();
    }

    bool raises(const std::string& concept_code) const {
        auto it = m_raises.find(concept_code);
        return it != m_raises.end() && it->second;
    }

    // `amount` of the payment in the document's currency; nothing when no rate converts it.
    std::optional<Decimal> in_document_currency(const std::string& movement, const Date& date,
                                                const std::string& doc_currency,
                                                const Decimal& amount) {
        const std::string paid_in = payment_currency(movement);
        if (paid_in.empty() || paid_in == doc_currency) return amount;
        const auto from = stored_value(movement, paid_in),
                   to = stored_value(movement, doc_currency);
        if (from && to) return ROUND5(amount * *from / *to);
        const Decimal factor = CAMBIO_SPEC(m_db, *m_rates, m_business, doc_currency, paid_in, date);
        if (factor.is_zero()) return std::nullopt;
        return ROUND5(amount * factor);
    }

    // The residue a payment may write off on a document of `currency`: the currency's SAL_CXC,
    // else the business's MARGEN_SAL.
    Decimal margin(const std::string& currency) {
        auto it = m_margins.find(currency);
        if (it != m_margins.end()) return it->second;
        const auto c = read_currency(m_db, m_business, currency);
        const Decimal m = c && !c->margin_cxc.is_zero() ? c->margin_cxc : m_business_margin;
        return m_margins[currency] = m;
    }

    // A cent of the payment's currency in the document's: the payment records its amount to the
    // cent of its own currency, so a conversion can tell the document's balance no closer.
    Decimal conversion_allowance(const std::string& movement, const Date& date,
                                 const std::string& doc_currency) {
        const std::string paid_in = payment_currency(movement);
        if (paid_in.empty() || paid_in == doc_currency) return Decimal();
        return in_document_currency(movement, date, doc_currency, Decimal::parse("0.01"))
            .value_or(Decimal());
    }

private:
    // Only payments outside the accounting currency are remembered: the others need no
    // conversion for documents in that currency, which are nearly all of them.
    void load_foreign_payments() {
        m_foreign.emplace();
        data::OrderedReader enc(m_db, "ENC_MOVE", "ENC_MOVE", data::business_key(m_business),
                                {"MOVIMIENTO", "MONEDA"});
        while (enc.next()) {
            const std::string currency = trim(enc.str("MONEDA"));
            if (currency != m_accounting) (*m_foreign)[trim(enc.str("MOVIMIENTO"))] = currency;
        }
    }

    std::string payment_currency(const std::string& movement) {
        if (m_foreign) {
            auto it = m_foreign->find(movement);
            return it == m_foreign->end() ? m_accounting : it->second;
        }
        return m_enc->Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {m_business, movement}))
                   ? trim(m_enc->str("MONEDA"))
                   : "";
    }

    // One unit of `currency` in the accounting currency, as the payment recorded it.
    std::optional<Decimal> stored_value(const std::string& movement, const std::string& currency) {
        if (currency == m_accounting) return Decimal(1);
        if (!m_stored->Seek(
                data::order_key("DET_MOV3", "DET_MOV3", {m_business, movement, currency})))
            return std::nullopt;
        const Decimal rate = m_stored->num("CAMBIO");
        return rate > 0 ? std::optional<Decimal>(rate) : std::nullopt;
    }

    data::Db& m_db;
    std::string m_business, m_accounting;
    std::map<std::string, bool> m_raises;
    std::map<std::string, Decimal> m_margins;
    std::optional<std::unordered_map<std::string, std::string>> m_foreign;
    UsedTable m_enc, m_stored, m_rates;
    Decimal m_business_margin;
};

// `Row` is a table handle or an ordered reader standing on a document or a line.
template <class Row>
BalanceCheck check_of(const Row& doc) {
    BalanceCheck c;
    c.document = trim(doc.str("DOCUMENTO"));
    c.concept_code = trim(doc.str("CONCEPTO"));
    c.customer = trim(doc.str("CLIENTE"));
    c.name = trim(doc.str("NOM_CLIENT"));
    c.currency = trim(doc.str("MONEDA"));
    c.date = doc.date("FECHA");
    c.amount = doc.num("MONTO");
    c.recorded = doc.num("SALDO");
    c.annulled = !trim(doc.str("ANULADO")).empty();
    c.expected = c.amount;
    return c;
}

// Adds the application on `det` to the check: what it moved of the balance is its amount
// converted into the document's currency. The line also records the balance before and after
// it, and that movement is the one that counts when it is what the payment was allowed to do
// beyond the conversion: settle the document writing off a residue within the margin (or give
// back such a write-off when annulled: a balance of 0 on either side), and round to a cent of the
// payment's currency when that is another.
template <class Row>
void apply_line(PaymentFacts& facts, const Row& det, BalanceCheck& c) {
    const std::string movement = trim(det.str("MOVIMIENTO"));
    const Date date = det.date("FECHA");
    const auto amount = facts.in_document_currency(movement, date, c.currency, det.num("MONTO"));
    if (!amount) {
        c.unconverted = true;
        return;
    }
    const Decimal moved = facts.raises(trim(det.str("CONCEPTO"))) ? *amount : -*amount;
    const Decimal before = det.num("SALDO_ANT"), after = det.num("SALDO");
    const Decimal recorded = after - before;
    if (recorded == moved || (before.is_zero() && after.is_zero())) {
        c.expected += moved;
        return;
    }
    Decimal allowed = facts.conversion_allowance(movement, date, c.currency);
    if (before.is_zero() || after.is_zero()) allowed += facts.margin(c.currency);
    c.expected += (recorded - moved).abs() <= allowed ? recorded : moved;
}

// Application lines walked in DET_MOV2 order by a table handle (one document's) or by an ordered
// reader (a whole business's, read once).
class HandleLines {
public:
    explicit HandleLines(data::WDBTable& t) : m_t(t) {}
    bool more() const { return !m_t.Eof(); }
    std::string key() const { return m_t.CurrentKey(); }
    void advance() { m_t.Skip(); }
    const data::WDBTable& row() const { return m_t; }

private:
    data::WDBTable& m_t;
};

class ReaderLines {
public:
    explicit ReaderLines(data::OrderedReader& r) : m_r(r), m_more(r.next()) {}
    bool more() const { return m_more; }
    const std::string& key() const { return m_r.key(); }
    void advance() { m_more = m_r.next(); }
    const data::OrderedReader& row() const { return m_r; }

private:
    data::OrderedReader& m_r;
    bool m_more;
};

// The document on `doc` with its applications: the lines from where `lines` stands that belong
// to the document. Lines of a document that sorts before it (a document that no longer exists)
// are passed over.
template <class Row, class Lines>
BalanceCheck check_document(PaymentFacts& facts, const std::string& business, const Row& doc,
                            Lines& lines) {
    BalanceCheck c = check_of(doc);
    const std::string prefix = data::order_key("DET_MOVE", "DET_MOV2", {business, c.document});
    while (lines.more() && lines.key() < prefix) lines.advance();
    for (; lines.more() && starts_with(lines.key(), prefix); lines.advance())
        apply_line(facts, lines.row(), c);
    if (c.annulled) c.expected = Decimal();
    return c;
}

}  // namespace

// Only the fields the check reads, each table read once in key order: over a million documents
// a table handle's walk of every field is what the check would wait on.
void expected_balance(data::Db& db, const std::string& business,
                      const std::function<void(const BalanceCheck&)>& fn) {
    PaymentFacts facts(db, business, true);
    const std::string scope = data::business_key(business);
    data::OrderedReader doc(db, "DOCUMENT", "DOCUMENT", scope,
                            {"DOCUMENTO", "CONCEPTO", "CLIENTE", "NOM_CLIENT", "MONEDA", "FECHA",
                             "MONTO", "SALDO", "ANULADO"});
    data::OrderedReader det(db, "DET_MOVE", "DET_MOV2", scope,
                            {"MOVIMIENTO", "CONCEPTO", "FECHA", "MONTO", "SALDO_ANT", "SALDO"});
    ReaderLines lines(det);
    while (doc.next()) fn(check_document(facts, business, doc, lines));
}

std::optional<BalanceCheck> expected_balance(data::Db& db, const std::string& business,
                                             const std::string& document) {
    UsedTable doc(db, "DOCUMENT", "DOCUMENT");
    if (!doc->Seek(document_key(business, document))) return std::nullopt;
    PaymentFacts facts(db, business, false);
    UsedTable det(db, "DET_MOVE", "DET_MOV2");
    const std::string key = data::order_key("DET_MOVE", "DET_MOV2", {business, trim(document)});
    det->SetScope(key, key);
    det->GoTop();
    HandleLines lines(*det);
    return check_document(facts, business, *doc, lines);
}

}  // namespace qz::domain
