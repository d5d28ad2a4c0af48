#include "domain/ledger/customer_statement.h"

#include <algorithm>
#include <tuple>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kOpen = "0";  // the open class of DOCUMEN8: SALDO <> 0

std::vector<Instalment> instalments_in(data::WDBTable& parc, const std::string& business,
                                       const std::string& document) {
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, document});
    parc.SetScope(key, key);
    std::vector<Instalment> out;
    for (parc.GoTop(); !parc.Eof(); parc.Skip())
        out.push_back({parc.date("FECHA"), parc.num("MONTO"), parc.num("INTERES")});
    return out;
}

// The applications of payments to the document, skipping payments that were annulled (their
// mirror is skipped too, so together they change nothing).
std::vector<AppliedPayment> applications_in(data::WDBTable& det, data::WDBTable& enc,
                                            const std::string& business,
                                            const std::string& document) {
    const std::string key = data::order_key("DET_MOVE", "DET_MOV2", {business, document});
    det.SetScope(key, key);
    std::vector<AppliedPayment> out;
    for (det.GoTop(); !det.Eof(); det.Skip()) {
        const std::string movement = trim(det.str("MOVIMIENTO"));
        Date date = det.date("FECHA");
        if (enc.Seek(data::order_key("ENC_MOVE", "ENC_MOVE", {business, movement}))) {
            if (!trim(enc.str("ANULADO")).empty()) continue;
            date = enc.date("FECHA");
        }
        out.push_back({date, movement, trim(det.str("DESCRIP")), det.num("MONTO"),
                       det.num("SALDO") - det.num("SALDO_ANT")});
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const AppliedPayment& a, const AppliedPayment& b) { return a.date < b.date; });
    return out;
}

std::vector<CurrencyTotal> sorted(std::map<std::string, CurrencyTotal>& totals) {
    std::vector<CurrencyTotal> out;
    for (auto& [code, t] : totals) out.push_back(std::move(t));
    return out;
}

bool paid_covers(const Decimal& paid, const Decimal& amount) {
    return paid.round(2) >= amount.round(2);
}

}  // namespace

long days_overdue(Decimal paid, const std::vector<Instalment>& plan, const Date& today) {
    for (const auto& i : plan) {
        if (paid_covers(paid, i.amount)) {
            paid -= i.amount;
            continue;
        }
        return std::max(0L, today - i.due);
    }
    return 0;
}

std::vector<Instalment> document_instalments(data::Db& db, const std::string& business,
                                             const std::string& document) {
    UsedTable parc(db, "DOC_PARC", "DOC_PARC");
    return instalments_in(*parc, business, document);
}

long CALC_VENCIDOS(data::Db& db, const std::string& business, const std::string& document,
                   const Decimal& amount, const Decimal& balance, const Date& today) {
    return days_overdue(amount - balance, document_instalments(db, business, document), today);
}

std::string StatementHeading::box_text() const {
    std::string out = "Cliente: " + code + " " + name;
    if (!legal_id.empty()) out += "\nCédula: " + legal_id;
    if (!branch.empty()) out += "\nSucursal: " + branch + " " + branch_name;
    if (!address.empty()) out += "\nDirección: " + address;
    if (!phone.empty()) out += "\nTeléfono: " + phone;
    if (!email.empty()) out += "\nEmail: " + email;
    return out;
}

StatementHeading statement_heading(data::Db& db, const std::string& business,
                                   const std::string& customer) {
    StatementHeading h;
    h.code = normal_code(customer);
    {
        UsedTable cli(db, "CLIENTES", "CLIENTES");
        if (cli->Seek(data::order_key("CLIENTES", "CLIENTES", {business, h.code}))) {
            h.name = trim(cli->str("NOMBRE"));
            h.legal_id = trim(cli->str("JURIDICA"));
        }
    }
    UsedTable br(db, "DET_CLIE", "DET_CLIE3");
    if (br->Seek(data::order_key("DET_CLIE", "DET_CLIE3", {business, h.code, std::string("S")}))) {
        h.branch = trim(br->str("CODIGO"));
        h.branch_name = trim(br->str("NOMBRE"));
        h.address = trim(br->str("DIRECCION"));
        h.phone = trim(br->str("TELEFONO"));
        h.email = trim(br->str("EMAIL"));
        if (h.legal_id.empty()) h.legal_id = trim(br->str("JURIDICA"));
    }
    return h;
}

LedgerNames::LedgerNames(data::Db& db, std::string business)
    : m_db(db), m_business(std::move(business)) {}

int LedgerNames::sign(const std::string& concept_code) {
    auto it = m_signs.find(concept_code);
    if (it != m_signs.end()) return it->second;
    UsedTable t(m_db, "CONCEPT1", "CONCEPT1");
    int s = 1;
    if (t->Seek(data::order_key("CONCEPT1", "CONCEPT1", {m_business, concept_code})))
        s = t->num("TIPO") == 1 ? 1 : -1;
    return m_signs[concept_code] = s;
}

std::string LedgerNames::symbol(const std::string& currency) {
    auto it = m_symbols.find(currency);
    if (it != m_symbols.end()) return it->second;
    UsedTable t(m_db, "MONEDAS", "MONEDAS");
    std::string s;
    if (t->Seek(data::order_key("MONEDAS", "MONEDAS", {m_business, currency})))
        s = trim(t->str("SIMBOLO"));
    return m_symbols[currency] = s.empty() ? currency : s;
}

OpenStatement open_statement(data::Db& db, const std::string& business,
                             const std::string& customer, const Date& today) {
    OpenStatement s;
    s.heading = statement_heading(db, business, customer);
    LedgerNames names(db, business);
    UsedTable doc(db, "DOCUMENT", "DOCUMEN8"), parc(db, "DOC_PARC", "DOC_PARC"),
        det(db, "DET_MOVE", "DET_MOV2"), enc(db, "ENC_MOVE", "ENC_MOVE");
    const std::string key = data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, s.heading.code});
    doc->SetScope(key, key);
    std::map<std::string, CurrencyTotal> totals;
    for (doc->GoTop(); !doc->Eof(); doc->Skip()) {
        StatementDocument d;
        d.date = doc->date("FECHA");
        d.due = doc->date("VENCE");
        d.number = trim(doc->str("DOCUMENTO"));
        d.currency = trim(doc->str("MONEDA"));
        d.symbol = names.symbol(d.currency);
        d.description = utf8_substr(trim(doc->str("DESCRIP")), 0, kStatementDescription);
        d.sign = names.sign(trim(doc->str("CONCEPTO")));
        const Decimal amount = doc->num("MONTO"), balance = doc->num("SALDO");
        d.amount = amount * d.sign;
        d.balance = balance * d.sign;
        d.days_overdue =
            days_overdue(amount - balance, instalments_in(*parc, business, d.number), today);
        d.payments = applications_in(*det, *enc, business, d.number);
        CurrencyTotal& t = totals[d.currency];
        t.currency = d.currency;
        t.symbol = d.symbol;
        t.amount += d.amount;
        t.balance += d.balance;
        s.documents.push_back(std::move(d));
    }
    std::stable_sort(s.documents.begin(), s.documents.end(),
                     [](const StatementDocument& a, const StatementDocument& b) {
                         return std::tie(a.date, a.number) < std::tie(b.date, b.number);
                     });
    s.totals = sorted(totals);
    return s;
}

CollectionPlan collection_plan(data::Db& db, const std::string& business,
                               const std::string& customer, const Date& today) {
    CollectionPlan p;
    p.heading = statement_heading(db, business, customer);
    LedgerNames names(db, business);
    UsedTable doc(db, "DOCUMENT", "DOCUMEN8"), parc(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, p.heading.code});
    doc->SetScope(key, key);
    std::map<std::string, CurrencyTotal> totals;
    for (doc->GoTop(); !doc->Eof(); doc->Skip()) {
        if (names.sign(trim(doc->str("CONCEPTO"))) < 0) continue;
        const std::string number = trim(doc->str("DOCUMENTO")), currency = trim(doc->str("MONEDA"));
        Decimal paid = doc->num("MONTO") - doc->num("SALDO");
        for (const auto& i : instalments_in(*parc, business, number)) {
            const Decimal covered = std::clamp(paid, Decimal(), i.amount);
            paid -= covered;
            if ((i.amount - covered).round(2).is_zero()) continue;
            PlanLine l{i.due, number, currency, names.symbol(currency), i.amount, i.amount - covered,
                       std::max(0L, today - i.due)};
            CurrencyTotal& t = totals[currency];
            t.currency = currency;
            t.symbol = l.symbol;
            t.amount += l.instalment;
            t.balance += l.owed;
            p.lines.push_back(std::move(l));
        }
    }
    std::stable_sort(p.lines.begin(), p.lines.end(), [](const PlanLine& a, const PlanLine& b) {
        return std::tie(a.due, a.number) < std::tie(b.due, b.number);
    });
    p.totals = sorted(totals);
    return p;
}

}  // namespace qz::domain
