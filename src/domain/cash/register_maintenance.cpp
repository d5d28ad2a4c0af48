#include "domain/cash/register_maintenance.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::cash {

namespace {

code_rows::CodeTable code_table(const RegisterTables& f, const char* ask = nullptr) {
    return {f.registers, "Código de Caja", kRegisterTaken, "CODIGO", ask};
}

bool write_register(data::Db& db, UserPort& port, const RegisterTables& f,
                    const std::string& business, const std::string& old_code, CashRegister r,
                    const std::string& password) {
    const auto ct = code_table(f);
    if (auto why = code_rows::check_code_and_name(ct, r.code, r.description); !why.empty())
        return refuse(port, why);
    r.code = normal_code(r.code);
    // Anything but open is closed (assigned whole: g++ 12 misjudges a short literal copy here).
    r.state = std::string(r.state == kOpen ? kOpen : kClosed);
    // Hashing takes a while on purpose: it is done before the row is locked.
    const std::string hashed = trim(password).empty() ? "" : hash_pass_code(password);
    const bool keep_password = !old_code.empty() && hashed.empty();
    return code_rows::write(db, port, ct, business, old_code, r.code, [&](data::WDBTable& t) {
        put_register_row(t, business, r);
        if (!keep_password) t.FieldPut("PASSWORD", hashed);
    });
}

// The shift row `recno` locked for a write; false when it is gone.
bool lock_shift(data::WDBTable& t, long recno) {
    t.GoTo(recno);
    if (t.Eof() || t.Deleted()) return false;
    data::LOCK_FOR_MODIFY(t);
    t.GoTo(recno);  // as it is once locked
    if (!t.Deleted()) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

std::string shift_problem(const CashShift& s) {
    if (s.start_date.empty()) return "La Fecha de Apertura es requerida...";
    if (!s.end_date.empty() && s.end_date < s.start_date)
        return "La Fecha de Cierre no puede ser anterior a la Fecha de Apertura...";
    return "";
}

}  // namespace

bool ADD_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const CashRegister& r, const std::string& password) {
    return write_register(db, port, f, business, "", r, password);
}

bool MOD_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const CashRegister& r, const std::string& new_password) {
    return write_register(db, port, f, business, r.code, r, new_password);
}

bool DEL_Caja(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
              const std::string& code) {
    if (!port.confirm("Atencion", kAskDeleteRegister)) return false;
    const std::string c = normal_code(code);
    return code_rows::remove(db, port, code_table(f, kAskDeleteRegisterSure), business, c, {}, [&] {
        delete_by_order(db, f.shifts, f.shifts, {business, c});
    });
}

bool ADD_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
                 const CashShift& s) {
    if (auto why = shift_problem(s); !why.empty()) return refuse(port, why);
    data::Transaction tx(db);
    data::Table reg = data::USE(db, f.registers, f.registers);
    // The register stays locked until the row is in, so it cannot be deleted meanwhile.
    const bool found = lock_at_key(*reg, register_key(f, business, s.register_code));
    if (found) {
        data::Table t = data::USE(db, f.shifts);
        data::ADD_NEW_REC(*t);
        put_shift_row(*t, f, business, s);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(db, t);
        data::UNLOCK_FOR_MODIFY(*reg);
    }
    data::KILLTABLA(db, reg);
    tx.commit();
    if (!found) return refuse(port, "La Caja " + s.register_code + " ya no existe...");
    return true;
}

bool MOD_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, const std::string& business,
                 const CashShift& s) {
    if (auto why = shift_problem(s); !why.empty()) return refuse(port, why);
    data::Transaction tx(db);
    data::Table t = data::USE(db, f.shifts);
    const bool found = lock_shift(*t, s.recno);
    if (found) {
        CashShift stored = shift_from_row(*t);
        stored.start_date = s.start_date;
        stored.start_time = s.start_time;
        stored.end_date = s.end_date;
        stored.end_time = s.end_time;
        stored.opening_fund = s.opening_fund;
        put_shift_row(*t, f, business, stored);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    if (!found) return refuse(port, "El Cierre ya no existe...");
    return true;
}

bool DEL_DETALLE(data::Db& db, UserPort& port, const RegisterTables& f, long recno) {
    if (!port.confirm("Atencion", kAskDeleteShift)) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, f.shifts);
    const bool found = lock_shift(*t, recno);
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

}  // namespace qz::domain::cash
