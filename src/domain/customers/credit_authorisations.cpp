#include "domain/customers/credit_authorisations.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

// Goes to `recno` and locks it, the row read again under the lock. False when it is gone.
bool lock_recno(data::WDBTable& t, long recno) {
    t.GoTo(recno);
    if (t.Eof() || t.Deleted()) return false;
    data::LOCK_FOR_MODIFY(t);
    if (!t.Eof() && !t.Deleted()) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

}  // namespace

PreAuthorisation pre_authorisation_from_row(const data::WDBTable& t) {
    PreAuthorisation a;
    a.recno = const_cast<data::WDBTable&>(t).RecNo();
    a.customer = trim(t.str("CLIENTE"));
    a.branch = trim(t.str("SUCURSAL"));
    a.excess = t.num("EXCESO") == 1;
    a.max_excess = t.num("M_EXCESO");
    a.overdue = t.num("VENCIDO") == 1;
    a.max_overdue = t.num("M_VENCIDO");
    a.valid = t.num("VALIDO") == 1;
    a.date = t.date("FECHA");
    a.time = trim(t.str("HORA"));
    a.user = trim(t.str("USUARIO"));
    a.used_date = t.date("FECHA_EXE");
    a.used_time = trim(t.str("HORA_EXE"));
    a.used_user = trim(t.str("USER_EXE"));
    return a;
}

void put_pre_authorisation_row(data::WDBTable& t, const std::string& business,
                               const PreAuthorisation& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", normal_code(a.customer));
    t.FieldPut("SUCURSAL", normal_code(a.branch));
    t.FieldPut("EXCESO", Decimal(a.excess ? 1 : 0));
    t.FieldPut("M_EXCESO", a.max_excess);
    t.FieldPut("VENCIDO", Decimal(a.overdue ? 1 : 0));
    t.FieldPut("M_VENCIDO", a.max_overdue);
    t.FieldPut("VALIDO", Decimal(a.valid ? 1 : 0));
    t.FieldPut("FECHA", a.date);
    t.FieldPut("HORA", a.time);
    t.FieldPut("USUARIO", a.user);
}

bool covers(const PreAuthorisation& a, const CreditFigures& f) {
    if (!a.valid) return false;
    const Decimal excess = f.excess();
    const bool excess_ok = excess <= 0 || (a.excess && a.max_excess >= excess);
    const bool overdue_ok = f.overdue <= 0 || (a.overdue && a.max_overdue >= f.overdue);
    return excess_ok && overdue_ok;
}

std::optional<PreAuthorisation> usable_pre_authorisation(data::Db& db, const std::string& business,
                                                         const std::string& customer,
                                                         const std::string& branch,
                                                         const CreditFigures& f) {
    std::optional<PreAuthorisation> out;
    data::Table t = data::USE(db, "AUT_CRED", "AUT_CRED");
    const std::string key = data::order_key(
        "AUT_CRED", "AUT_CRED", {business, normal_code(customer), normal_code(branch), 1LL});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof() && !out; t->Skip())
        if (auto a = pre_authorisation_from_row(*t); covers(a, f)) out = a;
    data::KILLTABLA(db, t);
    return out;
}

std::optional<std::string> consume_pre_authorisation(data::Db& db, long recno,
                                                     const CreditFigures& f, const DateTime& now) {
    std::optional<std::string> granted_by;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "AUT_CRED");
    if (lock_recno(*t, recno)) {
        // Checked again under the lock: the poll's reading may be older than another
        // workstation's use of the same row.
        const PreAuthorisation a = pre_authorisation_from_row(*t);
        if (covers(a, f)) {
            t->FieldPut("VALIDO", Decimal(0));
            t->FieldPut("FECHA_EXE", now.date);
            t->FieldPut("HORA_EXE", now.time);
            t->FieldPut("USER_EXE", std::string());
            granted_by = a.user;
        }
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return granted_by;
}

std::vector<PreAuthorisation> pre_authorisations(data::Db& db, const std::string& business) {
    std::vector<PreAuthorisation> out;
    for_business_rows(db, "AUT_CRED", business,
                      [&](const data::WDBTable& t) { out.push_back(pre_authorisation_from_row(t)); });
    return out;
}

std::optional<std::string> save_pre_authorisation(data::Db& db, const std::string& business,
                                                  PreAuthorisation a, const std::string& user,
                                                  const DateTime& now) {
    if (normal_code(a.customer).empty()) return kNoCustomer;
    if (normal_code(a.branch).empty()) return kNoBranch;
    a.date = now.date;
    a.time = now.time;
    a.user = user;
    std::optional<std::string> refusal;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "AUT_CRED");
    if (a.recno > 0) {
        if (lock_recno(*t, a.recno)) {
            put_pre_authorisation_row(*t, business, a);
            data::UNLOCK_FOR_MODIFY(*t);
        } else {
            refusal = kPreAuthorisationGone;  // deleted elsewhere while it was being edited
        }
    } else {
        data::ADD_NEW_REC(*t);
        put_pre_authorisation_row(*t, business, a);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return refusal;
}

void delete_pre_authorisation(data::Db& db, long recno) {
    data::Transaction tx(db);
    data::Table t = data::USE(db, "AUT_CRED");
    if (lock_recno(*t, recno)) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
}

}  // namespace qz::domain::customers
