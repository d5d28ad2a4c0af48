#include "domain/cash/workstation_register.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

void notify(Session& s, int what) {
    if (s.registers.CHANGE_CAJA) s.registers.CHANGE_CAJA(what);
}

void reset(Session& s, RegisterState& st) {
    st = RegisterState{};
    notify(s, 0);
}

// Only the core every family shares is read: its state.
bool still_open(data::Db& db, const std::string& business, const RegisterState& st) {
    const char* table = family_table(st.family);
    if (!table) return false;
    data::Table t = data::USE(db, table, table);
    const bool open = t->Seek(data::order_key(table, table, {business, st.code})) &&
                      trim(t->str("ESTADO")) == kOpen;
    data::KILLTABLA(db, t);
    return open;
}

bool check_open(data::Db& db, Session& s, RegisterState& st) {
    if (st.open != 1) return false;
    // Without a business there is nothing to read the row in: the state is taken as it stands.
    if (s.XU_COMP.empty()) return true;
    if (still_open(db, s.XU_COMP, st)) return true;
    reset(s, st);
    return false;
}

}  // namespace

const char* family_table(int family) {
    switch (family) {
        case kFamilySalesPoint:
            return "VCAJAS";
        case kFamilyFrontDesk:
            return "ENC_HCAJ";
        case kFamilyReceipts:
            return "ENC_RCAJ";
        case kFamilyPos:
            return "CAJA_ENC";
        case kFamilyOther:
            return "ENC_TCAJ";
        default:
            return nullptr;
    }
}

bool CAJA_ABIERTA(data::Db& db, Session& s) { return check_open(db, s, s.registers.XH_CAJAS); }
bool CAJA2_ABIERTA(data::Db& db, Session& s) { return check_open(db, s, s.registers.XH2_CAJAS); }

std::string GET_CAJA_ABIERTA(const Session& s) { return s.registers.XH_CAJAS.code; }
std::string GET_DIG_ABIERTO(const Session& s) { return s.registers.XH_CAJAS.operator_name; }
std::string GET_COD_DIG_ABIERTO(const Session& s) { return s.registers.XH_CAJAS.operator_code; }
std::string GET_CAJA2_ABIERTA(const Session& s) { return s.registers.XH2_CAJAS.code; }
std::string GET_DIG2_ABIERTO(const Session& s) { return s.registers.XH2_CAJAS.operator_name; }
std::string GET_COD_DIG2_ABIERTO(const Session& s) { return s.registers.XH2_CAJAS.operator_code; }

RegisterState& state_for_family(Session& s, int family) {
    auto& r = s.registers;
    if (r.XH_CAJAS.family == family) return r.XH_CAJAS;
    if (r.XH2_CAJAS.family == family) return r.XH2_CAJAS;
    if (r.XH_CAJAS.family == kFamilyNone) return r.XH_CAJAS;
    if (r.XH2_CAJAS.family == kFamilyNone) return r.XH2_CAJAS;
    return r.XH_CAJAS;
}

void take_register(Session& s, int family, const CashRegister& r, const Operator& op) {
    RegisterState& st = state_for_family(s, family);
    st.description = r.description;
    st.operator_name = op.name;
    st.open = 1;
    st.code = r.code;
    st.operator_code = op.code;
    st.family = family;
    notify(s, 1);
}

void drop_register(Session& s, int family, const std::string& code) {
    for (RegisterState* st : {&s.registers.XH_CAJAS, &s.registers.XH2_CAJAS})
        if (st->family == family && st->code == normal_code(code)) reset(s, *st);
}

}  // namespace qz::domain::cash
