#include "domain/cash/front_desk.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/transaction.h"
#include "domain/cash/register_posting.h"
#include "domain/cash/register_settings.h"
#include "domain/cash/workstation_register.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

bool say(UserPort& port, MsgStyle style, const char* text) {
    port.message(style, style == MsgStyle::Error ? "Error" : "Atencion", text);
    return false;
}

const RegisterState& held(const Session& s) {
    return s.registers.XH_CAJAS.family == kFamilyFrontDesk ? s.registers.XH_CAJAS
                                                           : s.registers.XH2_CAJAS;
}

bool holds_front_desk(const Session& s) {
    const RegisterState& st = held(s);
    return st.family == kFamilyFrontDesk && st.open == 1;
}

bool take(data::Db& db, UserPort& port, Session& s, const OpenRequest& r, bool reopen) {
    if (normal_code(r.operator_code).empty()) return say(port, MsgStyle::Error, kMissingOperator);
    // The front desk's shifts start by the workstation's clock.
    const TakeOutcome out = take_register_row(
        db, kFrontDesk, r, reopen, {kFrontDeskNotOpen, kFrontDeskNotOpen}, db.clock().now(true));
    if (out.refusal) return say(port, MsgStyle::Error, out.refusal);
    take_register(s, kFamilyFrontDesk, out.taken->reg, out.taken->op);
    return true;
}

// Closes `code` with the control fields of this workstation; the report runs on the closed shift.
bool close(data::Db& db, UserPort& port, Session& s, const std::string& code,
           const FrontDeskReport& report) {
    const auto reg = read_register(db, kFrontDesk, s.XU_COMP, code);
    if (!reg || !reg->is_open()) return say(port, MsgStyle::Atencion, kFrontDeskNotOpen);
    auto shift = running_shift(db, kFrontDesk, s.XU_COMP, code);
    if (!shift) return say(port, MsgStyle::Error, kNoRunningShift);
    if (!port.confirm("Atencion", kAskFrontDeskClose)) return false;
    // Every closing kind closes the same way here; the kinds differ only in their reports.
    const DateTime now = db.clock().now(true);
    CashShift control;
    control.ctrl_user = s.XUSER_ABREVIA;
    control.ctrl_computer = computer_name();
    control.ctrl_time = now.time;
    control.ctrl_date = now.date;
    control.ctrl_os_user = os_user_name();
    bool ended = false;
    {
        data::Transaction tx(db);
        if (auto locked = lock_register(db, kFrontDesk, s.XU_COMP, code)) {
            ended = end_shift(db, kFrontDesk, s.XU_COMP, *shift, now.date, now.time, &control);
            if (ended) set_state(*locked, kClosed);
            release(db, *locked);
        }
        tx.commit();
    }
    if (!ended) return say(port, MsgStyle::Error, kNoRunningShift);
    shift->end_date = now.date;
    shift->end_time = now.time;
    if (report) report(*shift);
    port.message(MsgStyle::Aviso, "Aviso", kClosedOk);
    drop_register(s, kFamilyFrontDesk, code);
    return true;
}

}  // namespace

bool front_desk_may_open(data::Db& db, UserPort& port, const Session& s, const IniFile* ini,
                         const std::string& code, bool reopen) {
    if (read_register_settings(db, s.XU_COMP).check_front_desk_auth &&
        !authorised(ini, kFrontDeskAuthSection, s.XU_COMP, code))
        return say(port, MsgStyle::Error, kStationNotAuthorised);
    if (holds_front_desk(s) && held(s).code != normal_code(code))
        return say(port, MsgStyle::Atencion, kScreenHasRegister);
    const auto reg = read_register(db, kFrontDesk, s.XU_COMP, code);
    if (!reg) return false;
    if (!reopen && reg->is_open()) return say(port, MsgStyle::Atencion, kRegisterAlreadyOpen);
    if (reopen && !reg->is_open()) return say(port, MsgStyle::Atencion, kFrontDeskNotOpen);
    return true;
}

bool open_front_desk(data::Db& db, UserPort& port, Session& s, const OpenRequest& r) {
    return take(db, port, s, r, false);
}

bool reopen_front_desk(data::Db& db, UserPort& port, Session& s, const OpenRequest& r) {
    return take(db, port, s, r, true);
}

bool close_front_desk(data::Db& db, UserPort& port, Session& s, const FrontDeskReport& report) {
    if (!holds_front_desk(s)) return say(port, MsgStyle::Atencion, kFrontDeskNotOpen);
    return close(db, port, s, held(s).code, report);
}

bool PASS_CAJA(data::Db& db, UserPort& port, Session& s, const std::string& code,
               const Supervisor& who, const FrontDeskReport& report) {
    if (normal_code(who.code).empty()) return say(port, MsgStyle::Error, kMissingOperator);
    std::optional<Operator> op;
    {
        data::Transaction tx(db);
        op = check_operator(db, s.XU_COMP, who.code, who.password);
        tx.commit();
    }
    if (!op || !op->may_close) return say(port, MsgStyle::Error, kWrongPassCode);
    return close(db, port, s, code, report);
}

std::optional<CashShift> shift_to_count(data::Db& db, UserPort& port, Session& s) {
    // Asked of the state that holds it, which re-reads the register row.
    const bool first = s.registers.XH_CAJAS.family == kFamilyFrontDesk;
    if (!holds_front_desk(s) || !(first ? CAJA_ABIERTA(db, s) : CAJA2_ABIERTA(db, s))) {
        say(port, MsgStyle::Atencion, kCountNeedsRegister);
        return std::nullopt;
    }
    auto shift = running_shift(db, kFrontDesk, s.XU_COMP, held(s).code);
    if (!shift) say(port, MsgStyle::Error, kCountNoShift);
    return shift;
}

}  // namespace qz::domain::cash
