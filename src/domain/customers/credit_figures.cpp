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

// Whether a document concept is a charge (CONCEPT1 TIPO 1); unknown concepts count as charges,
// which is the side that protects the credit.
bool is_charge(data::Db& db, const std::string& business, const std::string& concept_code) {
    data::Table t = data::USE(db, "CONCEPT1", "CONCEPT1");
    bool charge = true;
    if (t->Seek(data::order_key("CONCEPT1", "CONCEPT1", {business, concept_code})))
        charge = t->num("TIPO") == 1;
    data::KILLTABLA(db, t);
    return charge;
}

int grace_days(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    int days = 0;
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business})))
        days = static_cast<int>(t->num("D_GRACIA").to_int());
    data::KILLTABLA(db, t);
    return days;
}

// The unpaid part of the instalments that are due: what was paid covers them in date order.
Decimal overdue_of(data::Db& db, const std::string& business, const std::string& document,
                   Decimal paid, const Date& today, int grace) {
    Decimal overdue;
    data::Table t = data::USE(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, document});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const Decimal amount = t->num("MONTO");
        if (t->date("FECHA") + grace < today && paid < amount) overdue += amount - paid;
        paid = std::max(paid - amount, Decimal());
    }
    data::KILLTABLA(db, t);
    return overdue;
}

}  // namespace

CreditFigures branch_credit_figures(data::Db& db, const std::string& business,
                                    const std::string& customer, const std::string& branch,
                                    const Decimal& new_amount, const Date& today) {
    CreditFigures f;
    for (const auto& s : customer_branches(db, business, customer))
        if (normal_code(s.branch.code) == normal_code(branch)) f.limit = s.branch.limit;
    const int grace = grace_days(db, business);
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const Decimal balance = t->num("SALDO");
        if (!is_charge(db, business, trim(t->str("CONCEPTO")))) {
            f.credit += balance;
            continue;
        }
        f.balance += balance;
        f.overdue += overdue_of(db, business, trim(t->str("DOCUMENTO")),
                                t->num("MONTO") - balance, today, grace);
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
    put_pass_code(*t, "PASSWRD2", overdue_key);
    put_pass_code(*t, "PASSWRD3", excess_key);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
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
