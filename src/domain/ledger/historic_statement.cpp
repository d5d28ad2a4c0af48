#include "domain/ledger/historic_statement.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/ledger/statement_tables.h"

namespace qz::domain {

namespace {

struct DocumentSide {
    std::string currency;
    int sign = 1;
};

class Builder {
public:
    Builder(data::Db& db, const std::string& business, HistoricStatement& s)
        : m_db(db), m_business(business), m_s(s), m_names(db, business) {}

    void documents() {
        UsedTable doc(m_db, "DOCUMENT", "DOCUMEN3");
        const std::string key =
            data::order_key("DOCUMENT", "DOCUMEN3", {m_business, m_s.heading.code});
        doc->SetScope(key, key);
        for (doc->GoTop(); !doc->Eof(); doc->Skip()) {
            if (!m_s.branch.empty() && trim(doc->str("SUBCLIENTE")) != m_s.branch) continue;
            const std::string number = trim(doc->str("DOCUMENTO"));
            DocumentSide side{trim(doc->str("MONEDA")), m_names.sign(trim(doc->str("CONCEPTO")))};
            m_documents[number] = side;
            HistoricLine l;
            l.date = doc->date("FECHA");
            l.number = number;
            l.description = trim(doc->str("DESCRIP"));
            add(l, side.currency, doc->num("MONTO") * side.sign);
        }
    }

    void payments() {
        UsedTable enc(m_db, "ENC_MOVE", "ENC_MOV2"), det(m_db, "DET_MOVE", "DET_MOVE");
        const std::string key =
            data::order_key("ENC_MOVE", "ENC_MOV2", {m_business, m_s.heading.code});
        enc->SetScope(key, key);
        for (enc->GoTop(); !enc->Eof(); enc->Skip()) {
            const Date date = enc->date("FECHA");
            if (date > m_s.to) break;  // the order runs by date within the customer
            const std::string movement = trim(enc->str("MOVIMIENTO"));
            const std::string lines = data::order_key("DET_MOVE", "DET_MOVE", {m_business, movement});
            det->SetScope(lines, lines);
            for (det->GoTop(); !det->Eof(); det->Skip()) {
                auto it = m_documents.find(trim(det->str("DOCUMENTO")));
                if (it == m_documents.end()) continue;  // another customer's or branch's document
                HistoricLine l;
                l.date = date;
                l.payment = true;
                l.number = movement;
                l.document = it->first;
                l.description = trim(det->str("DESCRIP"));
                add(l, it->second.currency,
                    (det->num("SALDO") - det->num("SALDO_ANT")) * it->second.sign);
            }
        }
    }

    void running_balances() {
        std::stable_sort(m_s.lines.begin(), m_s.lines.end(),
                         [](const HistoricLine& a, const HistoricLine& b) {
                             return std::tie(a.date, a.payment, a.number) <
                                    std::tie(b.date, b.payment, b.number);
                         });
        for (auto& [code, c] : m_currencies) c.closing = c.opening;
        for (auto& l : m_s.lines) {
            HistoricCurrency& c = m_currencies[l.currency];
            c.debit += l.debit;
            c.credit += l.credit;
            c.closing += l.debit - l.credit;
            l.balance = c.closing;
        }
        for (auto& [code, c] : m_currencies) m_s.currencies.push_back(c);
    }

private:
    // Before the range the change goes into the opening balance; within it, it is a line.
    void add(HistoricLine& l, const std::string& currency, const Decimal& change) {
        if (l.date > m_s.to) return;
        HistoricCurrency& c = m_currencies[currency];
        c.currency = currency;
        c.symbol = m_names.symbol(currency);
        if (l.date < m_s.from) {
            c.opening += change;
            return;
        }
        l.currency = currency;
        l.symbol = c.symbol;
        l.description = utf8_substr(l.description, 0, kStatementDescription);
        (change.sign() < 0 ? l.credit : l.debit) = change.abs();
        m_s.lines.push_back(std::move(l));
    }

    data::Db& m_db;
    const std::string& m_business;
    HistoricStatement& m_s;
    LedgerNames m_names;
    std::map<std::string, DocumentSide> m_documents;
    std::map<std::string, HistoricCurrency> m_currencies;
};

}  // namespace

HistoricStatement historic_statement(data::Db& db, const std::string& business,
                                     const std::string& customer, const std::string& branch,
                                     const Date& from, const Date& to) {
    HistoricStatement s;
    s.heading = statement_heading(db, business, customer);
    s.from = from;
    s.to = to;
    s.branch = trim(branch);
    Builder b(db, business, s);
    b.documents();
    b.payments();
    b.running_balances();
    return s;
}

}  // namespace qz::domain
