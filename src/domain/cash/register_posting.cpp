#include "domain/cash/register_posting.h"

#include "domain/session/master_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::cash {

std::optional<LockedRegister> lock_register(data::Db& db, const RegisterTables& f,
                                            const std::string& business, const std::string& code) {
    LockedRegister r{data::USE(db, f.registers, f.registers), {}};
    if (!lock_at_key(*r.table, register_key(f, business, code))) {
        data::KILLTABLA(db, r.table);
        return std::nullopt;
    }
    r.reg = register_from_row(*r.table);
    return r;
}

void release(data::Db& db, LockedRegister& r) {
    data::UNLOCK_FOR_MODIFY(*r.table);
    data::KILLTABLA(db, r.table);
}

std::optional<Operator> check_operator(data::Db& db, const std::string& business,
                                       const std::string& code, const std::string& typed) {
    std::optional<Operator> op;
    data::Table t = data::USE(db, "DIGITA", "DIGITA");
    if (lock_at_key(*t, operator_key(business, code))) {
        if (check_pass_code_field(*t, "CLAVE", typed)) op = operator_from_row(*t);
        data::UNLOCK_FOR_MODIFY(*t);  // writes the upgraded code, if any
    }
    data::KILLTABLA(db, t);
    return op;
}

bool check_register_code(LockedRegister& r, const std::string& typed) {
    return check_pass_code_field(*r.table, "PASSWORD", typed);
}

void set_state(LockedRegister& r, const char* state) {
    r.table->FieldPut("ESTADO", std::string(state));
    r.reg.state = state;
}

void start_shift(data::Db& db, const RegisterTables& f, const std::string& business, CashShift s) {
    s.end_date = Date();
    s.end_time.clear();
    data::Table t = data::USE(db, f.shifts);
    data::ADD_NEW_REC(*t);
    put_shift_row(*t, f, business, s);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

bool end_shift(data::Db& db, const RegisterTables& f, const std::string& business,
               const CashShift& s, const Date& end_date, const std::string& end_time,
               const CashShift* control) {
    data::Table t = data::USE(db, f.shifts);
    t->GoTo(s.recno);
    bool ended = false;
    if (!t->Eof() && !t->Deleted()) {
        data::LOCK_FOR_MODIFY(*t);
        t->GoTo(s.recno);
        CashShift now = shift_from_row(*t);
        if (!t->Deleted() && now.running()) {
            now.end_date = end_date;
            now.end_time = end_time;
            if (control) {
                now.ctrl_user = control->ctrl_user;
                now.ctrl_computer = control->ctrl_computer;
                now.ctrl_time = control->ctrl_time;
                now.ctrl_date = control->ctrl_date;
                now.ctrl_os_user = control->ctrl_os_user;
            }
            put_shift_row(*t, f, business, now);
            ended = true;
        }
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    return ended;
}

}  // namespace qz::domain::cash
