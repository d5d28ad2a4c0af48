#include "domain/customers/credit_figures.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::customers {

namespace {

constexpr const char* kOpen = "0";  // the open class of DOCUMEN8: SALDO <> 0

}  // namespace

bool is_charge(data::Db& db, const std::string& business, const std::string& concept_code) {
    data::Table t = data::USE(db, "CONCEPT1", "CONCEPT1");
    bool charge = true;
    if (t->Seek(data::order_key("CONCEPT1", "CONCEPT1", {business, concept_code})))
        charge = t->num("TIPO") == 1;
    data::KILLTABLA(db, t);
    return charge;
}

CreditSettings credit_settings(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    CreditSettings s;
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.grace_days = static_cast<int>(t->num("D_GRACIA").to_int());
        s.limit_currency = trim(t->str("M_LIMITE"));
    }
    data::KILLTABLA(db, t);
    return s;
}

Overdue overdue_instalments(data::Db& db, const std::string& business, const std::string& document,
                            Decimal paid, const Date& today, int grace) {
    Overdue out;
    data::Table t = data::USE(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, document});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const Decimal amount = t->num("MONTO");
        const Date late_from = t->date("FECHA") + grace;
        if (late_from < today && paid < amount) {
            out.amount += amount - paid;
            out.days = today - late_from;
        }
        paid = std::max(paid - amount, Decimal());
    }
    data::KILLTABLA(db, t);
    return out;
}

namespace {

// Turns amounts of one document's currency into the limit's; a missing rate leaves them as they
// are and is remembered in the figures.
class ToLimit {
public:
    ToLimit(CreditFigures& f, const CreditRateLookup& rate) : m_f(f), m_rate(rate) {}
    void use(const std::string& currency) {
        m_factor = Decimal(1);
        if (currency.empty() || m_f.currency.empty() || currency == m_f.currency) return;
        const CreditRate r = m_rate(m_f.currency, currency);
        if (r.problem.empty() && r.factor != 0) {
            m_factor = r.factor;
        } else if (m_f.rate_problem.empty()) {
            m_f.rate_problem = r.problem.empty() ? "Falta por definir el tipo de cambio de " +
                                                       currency + " a " + m_f.currency
                                                 : r.problem;
        }
    }
    Decimal operator()(const Decimal& amount) const { return (amount * m_factor).round(2); }

private:
    CreditFigures& m_f;
    const CreditRateLookup& m_rate;
    Decimal m_factor{1};
};

}  // namespace

CreditFigures branch_credit_figures(data::Db& db, const std::string& business,
                                    const std::string& customer, const std::string& branch,
                                    const Decimal& new_amount, const Date& today,
                                    const CreditRateLookup& rate) {
    CreditFigures f;
    const CreditSettings settings = credit_settings(db, business);
    f.currency = settings.limit_currency;
    for (const auto& s : customer_branches(db, business, customer))
        if (normal_code(s.branch.code) == normal_code(branch)) {
            f.limit = s.branch.limit;
            if (!s.branch.limit_currency.empty()) f.currency = s.branch.limit_currency;
        }
    ToLimit to_limit(f, rate);
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const Decimal balance = t->num("SALDO");
        to_limit.use(trim(t->str("MONEDA")));
        if (!is_charge(db, business, trim(t->str("CONCEPTO")))) {
            f.credit += to_limit(balance);
            continue;
        }
        f.balance += to_limit(balance);
        f.overdue +=
            to_limit(overdue_instalments(db, business, trim(t->str("DOCUMENTO")),
                                         t->num("MONTO") - balance, today, settings.grace_days)
                         .amount);
    }
    data::KILLTABLA(db, t);
    f.balance += new_amount;
    return f;
}

std::vector<OpenDocument> open_documents(data::Db& db, const std::string& business,
                                         const std::string& customer) {
    std::vector<OpenDocument> out;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({t->date("FECHA"), t->date("VENCE"), trim(t->str("DOCUMENTO")),
                       trim(t->str("CLIENTE")), trim(t->str("NOM_CLIENT")), t->num("MONTO"),
                       t->num("SALDO"), t->num("BRUTO").round(2)});
    data::KILLTABLA(db, t);
    return out;
}

std::optional<std::string> check_credit_keys(data::Db& db, const std::string& business,
                                             const CreditFigures& f, const std::string& overdue_key,
                                             const std::string& excess_key) {
    std::optional<std::string> refusal;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (!lock_at_key(*t, data::order_key("F_FAC", "F_FAC", {business}))) {
        refusal = kExcessKeyWrong;  // no settings, no keys: nothing can match them
        if (f.overdue_key()) refusal = kOverdueKeyWrong;
    } else {
        if (f.overdue_key() && !check_pass_code_field(*t, "PASSWRD2", overdue_key))
            refusal = kOverdueKeyWrong;
        else if (f.excess_key() && !check_pass_code_field(*t, "PASSWRD3", excess_key))
            refusal = kExcessKeyWrong;
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return refusal;
}

void set_credit_keys(data::Db& db, const std::string& business, const std::string& overdue_key,
                     const std::string& excess_key) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (!lock_at_key(*t, data::order_key("F_FAC", "F_FAC", {business}))) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
    }
    if (!trim(overdue_key).empty()) put_pass_code(*t, "PASSWRD2", overdue_key);
    if (!trim(excess_key).empty()) put_pass_code(*t, "PASSWRD3", excess_key);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
}

std::optional<std::string> check_new_credit_keys(const NewCreditKeys& k) {
    if (trim(k.overdue).empty() && trim(k.excess).empty()) return kNoNewKey;
    if (normalise_pass_code(k.overdue) != normalise_pass_code(k.overdue_again))
        return kOverdueKeyWrong;
    if (normalise_pass_code(k.excess) != normalise_pass_code(k.excess_again))
        return kExcessKeyWrong;
    return std::nullopt;
}

bool credit_keys_set(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    bool set = false;
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business})))
        set = !trim(t->str("PASSWRD2")).empty() || !trim(t->str("PASSWRD3")).empty();
    data::KILLTABLA(db, t);
    return set;
}

}  // namespace qz::domain::customers
