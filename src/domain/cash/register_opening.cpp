#include "domain/cash/register_opening.h"

#include "core/text.h"
#include "data/transaction.h"
#include "domain/cash/register_posting.h"
#include "domain/cash/register_settings.h"
#include "domain/session/master_rows.h"
#include "domain/session/register_state.h"

namespace qz::domain::cash {

namespace {

std::optional<TakenRegister> refused(UserPort& port, const char* why) {
    port.message(MsgStyle::Error, "Error", why);
    return std::nullopt;
}

std::optional<TakenRegister> take(data::Db& db, UserPort& port, const RegisterTables& f,
                                  const OpenRequest& r, bool reopen) {
    if (normal_code(r.register_code).empty() || normal_code(r.operator_code).empty())
        return refused(port, kMissingBasics);
    // A register gone meanwhile reads as if none were chosen.
    const TakeOutcome out =
        take_register_row(db, f, r, reopen, {kMissingBasics, kRegisterNotOpen}, db.clock().now());
    if (out.refusal) return refused(port, out.refusal);
    return out.taken;
}

}  // namespace

TakeOutcome take_register_row(data::Db& db, const RegisterTables& f, const OpenRequest& r,
                              bool reopen, const TakeRefusals& words, const DateTime& now) {
    TakeOutcome out;
    data::Transaction tx(db);
    auto reg = lock_register(db, f, r.business, r.register_code);
    if (!reg) {
        out.refusal = words.missing;
    } else if (reg->reg.is_open() != reopen) {
        // Another workstation opened (or closed) it since the dialog listed it.
        out.refusal = reopen ? words.not_open : kRegisterAlreadyOpen;
    } else {
        auto op = check_operator(db, r.business, r.operator_code, r.operator_password);
        const bool register_ok = check_register_code(*reg, r.register_password);
        if (!op || !register_ok) {
            out.refusal = kWrongPassCode;
        } else {
            if (!reopen) {
                set_state(*reg, kOpen);
                CashShift s;
                s.register_code = reg->reg.code;
                s.operator_code = op->code;
                s.start_date = now.date;
                s.start_time = now.time;
                s.opening_fund = r.opening_fund;
                start_shift(db, f, r.business, s);
            }
            out.taken = TakenRegister{reg->reg, *op};
        }
        release(db, *reg);
    }
    // A refusal writes nothing but a matching legacy code's upgrade.
    tx.commit();
    return out;
}

std::vector<CashRegister> registers_to_open(data::Db& db, const IniFile* ini,
                                            const std::string& business, bool reopen) {
    const bool check = read_register_settings(db, business).check_pos_auth;
    std::vector<CashRegister> out;
    for (auto& r : business_registers(db, kPosRegisters, business))
        if (r.is_open() == reopen && (!check || authorised(ini, kPosAuthSection, business, r.code)))
            out.push_back(std::move(r));
    return out;
}

bool screen_may_open(UserPort& port, const std::string& screen_register) {
    if (normal_code(screen_register).empty() || screen_register == kNoRegister) return true;
    port.message(MsgStyle::Atencion, "Atencion", kScreenHasRegister);
    return false;
}

std::optional<TakenRegister> ABRE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f,
                                       const OpenRequest& r) {
    return take(db, port, f, r, false);
}

std::optional<TakenRegister> REABRE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f,
                                         const OpenRequest& r) {
    return take(db, port, f, r, true);
}

bool CLOSE_CAJA(data::Db& db, UserPort& port, const RegisterTables& f, const CloseRequest& r) {
    if (normal_code(r.register_code).empty() || r.register_code == kNoRegister) {
        port.message(MsgStyle::Atencion, "Atencion", kNoRegisterOnScreen);
        return false;
    }
    const auto shift = running_shift(db, f, r.business, r.register_code);
    if (!shift) {
        port.message(MsgStyle::Error, "Error", kNoRunningShift);
        return false;
    }
    DateTime end = db.clock().now();
    if (!r.sale_date.empty()) end.date = r.sale_date;
    // Without the closing report (the business skips it, or none is installed) the register
    // closes on the plain question.
    const bool with_report = r.report && !r.skip_report;
    if (with_report) r.report(*shift, end);
    if (!port.confirm("Atencion", with_report ? kReviewClosing : kAskClose)) {
        port.message(MsgStyle::Atencion, "Atencion", kNotClosed);
        return false;
    }
    bool ended = false;
    {
        data::Transaction tx(db);
        if (auto reg = lock_register(db, f, r.business, r.register_code)) {
            ended = end_shift(db, f, r.business, *shift, end.date, end.time);
            if (ended) set_state(*reg, kClosed);
            release(db, *reg);
        }
        tx.commit();
    }
    if (!ended) {
        port.message(MsgStyle::Error, "Error", kNoRunningShift);
        return false;
    }
    port.message(MsgStyle::Aviso, "Aviso", kClosedOk);
    return true;
}

}  // namespace qz::domain::cash
