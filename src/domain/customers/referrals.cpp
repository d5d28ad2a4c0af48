#include "domain/customers/referrals.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::customers {

namespace {

std::string referral_key(const std::string& business, const std::string& customer,
                         const std::string& code) {
    return data::order_key("DET_CLI2", "DET_CLI2",
                           {business, normal_code(customer), normal_code(code)});
}

void put_referral_row(data::WDBTable& t, const std::string& business, const std::string& customer,
                      const Referral& r) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", normal_code(customer));
    t.FieldPut("CODIGO", normal_code(r.code));
    t.FieldPut("NOMBRE", trim(r.name));
    t.FieldPut("TELEFONO", trim(r.phone));
    t.FieldPut("TELEFONO2", trim(r.phone2));
    t.FieldPut("EMAIL", trim(r.email));
    t.FieldPut("APARTADO", trim(r.po_box));
    t.FieldPut("DIGITADOR", normal_code(r.clerk));
}

std::optional<Referral> read_referral(data::Db& db, const std::string& business,
                                      const std::string& customer, const std::string& code) {
    std::optional<Referral> out;
    data::Table t = data::USE(db, "DET_CLI2", "DET_CLI2");
    if (t->Seek(referral_key(business, customer, code))) out = referral_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

// The clerk chosen and proved by his pass code: "" or the refusal. A plain legacy pass code that
// matched comes back in `rehashed`, to be stored with whatever it allowed.
std::string prove_clerk(data::Db& db, const std::string& business, const ClerkProof& who,
                        std::string& rehashed) {
    if (normal_code(who.clerk).empty()) return kNoClerk;
    data::Table t = data::USE(db, "DIGITA", "DIGITA");
    const bool found =
        t->Seek(data::order_key("DIGITA", "DIGITA", {business, normal_code(who.clerk)}));
    const std::string stored = found ? t->str("CLAVE") : "";
    data::KILLTABLA(db, t);
    if (!found) return kWrongPassCode;
    const PassCodeCheck check = check_pass_code(who.pass_code, stored);
    if (!check.matches) return kWrongPassCode;
    rehashed = check.rehashed;
    return "";
}

void store_rehashed(data::Db& db, const std::string& business, const std::string& clerk,
                    const std::string& rehashed) {
    if (rehashed.empty()) return;
    data::Table t = data::USE(db, "DIGITA", "DIGITA");
    if (lock_at_key(*t, data::order_key("DIGITA", "DIGITA", {business, normal_code(clerk)}))) {
        t->FieldPut("CLAVE", rehashed);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

// The checks of a change to a stored row: the clerk, his pass code, and that the row is his.
std::string check_owner(data::Db& db, const std::string& business, const std::string& customer,
                        const std::string& code, const ClerkProof& who, const char* not_his,
                        std::string& rehashed) {
    const auto stored = read_referral(db, business, customer, code);
    if (!stored) return kReferralGone;
    if (auto problem = prove_clerk(db, business, who, rehashed); !problem.empty()) return problem;
    if (normal_code(stored->clerk) != normal_code(who.clerk)) return not_his;
    return "";
}

// Runs `write` and stores the clerk's rehashed pass code in one transaction; false (with the
// refusal shown) when a row it needed was gone or held elsewhere.
template <class Write>
bool in_transaction(data::Db& db, UserPort& port, const std::string& business,
                    const ClerkProof& who, const std::string& rehashed, Write write) {
    try {
        data::Transaction tx(db);
        if (!write()) {
            tx.rollback();
            return refuse(port, kReferralGone);
        }
        store_rehashed(db, business, who.clerk, rehashed);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace

Referral referral_from_row(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")),    trim(t.str("NOMBRE")), trim(t.str("TELEFONO")),
            trim(t.str("TELEFONO2")), trim(t.str("EMAIL")),  trim(t.str("APARTADO")),
            trim(t.str("DIGITADOR"))};
}

std::vector<Referral> customer_referrals(data::Db& db, const std::string& business,
                                         const std::string& customer) {
    std::vector<Referral> out;
    data::Table t = data::USE(db, "DET_CLI2", "DET_CLI2");
    const std::string scope =
        data::order_key("DET_CLI2", "DET_CLI2", {business, normal_code(customer)});
    t->SetScope(scope, scope);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(referral_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

bool add_referral(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& customer, const Referral& r, const ClerkProof& who) {
    std::string rehashed;
    if (auto problem = prove_clerk(db, business, who, rehashed); !problem.empty())
        return refuse(port, problem);
    if (normal_code(r.code).empty()) return refuse(port, kNoReferralCode);
    if (std::string why = code_width_problem("El código", r.code, "DET_CLI2", "CODIGO");
        !why.empty())
        return refuse(port, why);
    if (read_referral(db, business, customer, r.code)) return refuse(port, kCodeTaken);
    Referral row = r;
    row.clerk = who.clerk;
    return in_transaction(db, port, business, who, rehashed, [&] {
        data::Table t = data::USE(db, "DET_CLI2", "DET_CLI2");
        data::ADD_NEW_REC(*t);
        put_referral_row(*t, business, customer, row);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(db, t);
        // The customer's documents are credited to the referral that brought him.
        rewrite_by_order(db, "DOCUMENT", "DOCUMEN3", {business, normal_code(customer)}, "REFERIDO",
                         normal_code(r.code));
        return true;
    });
}

bool modify_referral(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& customer, const Referral& r, const ClerkProof& who) {
    std::string rehashed;
    if (auto problem =
            check_owner(db, business, customer, r.code, who, kNotClerksToModify, rehashed);
        !problem.empty())
        return refuse(port, problem);
    return in_transaction(db, port, business, who, rehashed, [&] {
        data::Table t = data::USE(db, "DET_CLI2", "DET_CLI2");
        const bool found = lock_at_key(*t, referral_key(business, customer, r.code));
        if (found) {
            Referral row = r;
            row.clerk = trim(t->str("DIGITADOR"));
            put_referral_row(*t, business, customer, row);
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        return found;
    });
}

bool delete_referral(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& customer, const std::string& code, const ClerkProof& who) {
    std::string rehashed;
    if (auto problem = check_owner(db, business, customer, code, who, kNotClerksToDelete, rehashed);
        !problem.empty())
        return refuse(port, problem);
    return in_transaction(db, port, business, who, rehashed, [&] {
        data::Table t = data::USE(db, "DET_CLI2", "DET_CLI2");
        const bool found = lock_at_key(*t, referral_key(business, customer, code));
        if (found) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        return found;
    });
}

}  // namespace qz::domain::customers
