#include "domain/cash/register_rows.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::cash {

namespace {

// Dates on which a front-desk shift is treated as running for the reports that bound it.
const Date kLimit(2090, 1, 1);
constexpr const char* kLimitTime = "24:60:60";

bool flag(const data::WDBTable& t, const char* f) { return t.num(f) != Decimal(0); }
Decimal flag_value(bool on) { return Decimal(on ? 1 : 0); }
std::string text(const data::WDBTable& t, const char* f) { return trim(t.str(f)); }
bool has(const data::WDBTable& t, const char* f) { return t.def().field(f) != nullptr; }

struct FlagField {
    const char* name;
    bool CashRegister::*member;
};
constexpr FlagField kFlags[] = {
    {"POS", &CashRegister::POS},
    {"LEER_PAGO", &CashRegister::LEER_PAGO},
    {"REST_BOD", &CashRegister::REST_BOD},
    {"REST_AGE", &CashRegister::REST_AGE},
    {"REST_MON", &CashRegister::REST_MON},
    {"REST_CON", &CashRegister::REST_CON},
    {"REST_PRE", &CashRegister::REST_PRE},
    {"RESET1", &CashRegister::RESET1},
    {"LEE_CAMBIO", &CashRegister::LEE_CAMBIO},
    {"NO_CONC1", &CashRegister::NO_CONC1},
    {"REQ_CAP_DA", &CashRegister::REQ_CAP_DA},
    {"REST_CL", &CashRegister::REST_CL},
    {"DO_CONTADO", &CashRegister::DO_CONTADO},
};

struct TextField {
    const char* name;
    std::string CashRegister::*member;
};
constexpr TextField kTexts[] = {
    {"DEF_BODEGA", &CashRegister::DEF_BODEGA}, {"DEF_AGENTE", &CashRegister::DEF_AGENTE},
    {"DEF_MONEDA", &CashRegister::DEF_MONEDA}, {"DEF_CLIEN", &CashRegister::DEF_CLIEN},
    {"DEF_CONC", &CashRegister::DEF_CONC},     {"DEF_PREC", &CashRegister::DEF_PREC},
    {"DEF_VENT", &CashRegister::DEF_VENT},     {"TIP_RECIBO", &CashRegister::TIP_RECIBO},
    {"MON_CIERRE", &CashRegister::MON_CIERRE},
};

std::string numbered(const char* stem, size_t n) { return stem + std::to_string(n); }

}  // namespace

CashRegister register_from_row(const data::WDBTable& t) {
    CashRegister r;
    r.code = text(t, "CODIGO");
    r.description = text(t, "DESCRIP");
    r.password = rtrim(t.str("PASSWORD"));
    r.state = text(t, "ESTADO");
    if (has(t, "TIP_CIERRE")) {  // the front desk keeps only the core and its closing fields
        r.TIP_CIERRE = static_cast<int>(t.num("TIP_CIERRE").to_int());
        r.ARQUEO_AD = flag(t, "ARQUEO_AD");
        return r;
    }
    for (const auto& f : kTexts) r.*f.member = text(t, f.name);
    for (const auto& f : kFlags) r.*f.member = flag(t, f.name);
    for (size_t i = 0; i < r.DEF_B.size(); ++i)
        r.DEF_B[i] = text(t, numbered("DEF_B", i + 1).c_str());
    for (size_t i = 0; i < r.ROTULO.size(); ++i)
        r.ROTULO[i] = text(t, numbered("ROTULO", i + 2).c_str());
    for (size_t i = 0; i < r.BLOQUEO.size(); ++i)
        r.BLOQUEO[i] = flag(t, numbered("BLOQUEO", i + 1).c_str());
    return r;
}

void put_register_row(data::WDBTable& t, const std::string& business, const CashRegister& r) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", r.code);
    t.FieldPut("DESCRIP", r.description);
    t.FieldPut("ESTADO", r.state);
    if (has(t, "TIP_CIERRE")) {
        t.FieldPut("TIP_CIERRE", Decimal(r.TIP_CIERRE));
        t.FieldPut("ARQUEO_AD", flag_value(r.ARQUEO_AD));
        return;
    }
    for (const auto& f : kTexts) t.FieldPut(f.name, r.*f.member);
    for (const auto& f : kFlags) t.FieldPut(f.name, flag_value(r.*f.member));
    for (size_t i = 0; i < r.DEF_B.size(); ++i) t.FieldPut(numbered("DEF_B", i + 1), r.DEF_B[i]);
    for (size_t i = 0; i < r.ROTULO.size(); ++i) t.FieldPut(numbered("ROTULO", i + 2), r.ROTULO[i]);
    for (size_t i = 0; i < r.BLOQUEO.size(); ++i)
        t.FieldPut(numbered("BLOQUEO", i + 1), flag_value(r.BLOQUEO[i]));
}

CashShift shift_from_row(data::WDBTable& t) {
    CashShift s;
    s.recno = t.RecNo();
    s.register_code = text(t, "CAJA");
    s.operator_code = text(t, "AGENTE");
    s.start_date = t.date("FECHA_INI");
    s.start_time = text(t, "HORA_INI");
    s.end_date = t.date("FECHA_FIN");
    s.end_time = text(t, "HORA_FIN");
    s.opening_fund = t.num("MONTO_INI");
    if (has(t, "CTRL_USR")) {
        s.ctrl_user = text(t, "CTRL_USR");
        s.ctrl_computer = text(t, "CTRL_COMP");
        s.ctrl_time = text(t, "CTRL_HORA");
        s.ctrl_date = t.date("CTRL_FECHA");
        s.ctrl_os_user = text(t, "CTRL_WIN_U");
    }
    return s;
}

void put_shift_row(data::WDBTable& t, const RegisterTables& f, const std::string& business,
                   const CashShift& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CAJA", s.register_code);
    t.FieldPut("AGENTE", s.operator_code);
    t.FieldPut("FECHA_INI", s.start_date);
    t.FieldPut("HORA_INI", s.start_time);
    t.FieldPut("FECHA_FIN", s.end_date);
    t.FieldPut("HORA_FIN", s.end_time);
    t.FieldPut("MONTO_INI", s.opening_fund);
    if (!f.front_desk) return;
    t.FieldPut("LIMITE", kLimit);
    t.FieldPut("H_LIMITE", std::string(kLimitTime));
    t.FieldPut("CTRL_USR", s.ctrl_user);
    t.FieldPut("CTRL_COMP", s.ctrl_computer);
    t.FieldPut("CTRL_HORA", s.ctrl_time);
    t.FieldPut("CTRL_FECHA", s.ctrl_date);
    t.FieldPut("CTRL_WIN_U", s.ctrl_os_user);
}

Operator operator_from_row(const data::WDBTable& t) {
    return {text(t, "CODIGO"), text(t, "NOMBRE"), flag(t, "CIERRE")};
}

std::string register_key(const RegisterTables& f, const std::string& business,
                         const std::string& code) {
    return data::order_key(f.registers, f.registers, {business, normal_code(code)});
}

std::string operator_key(const std::string& business, const std::string& code) {
    return data::order_key("DIGITA", "DIGITA", {business, normal_code(code)});
}

std::optional<CashRegister> read_register(data::Db& db, const RegisterTables& f,
                                          const std::string& business, const std::string& code) {
    return read_code_row<CashRegister>(db, f.registers, business, code, register_from_row);
}

std::vector<CashRegister> business_registers(data::Db& db, const RegisterTables& f,
                                             const std::string& business) {
    return business_rows<CashRegister>(db, f.registers, business, register_from_row);
}

std::vector<CashShift> register_shifts(data::Db& db, const RegisterTables& f,
                                       const std::string& business, const std::string& code) {
    std::vector<CashShift> out;
    data::Table t = data::USE(db, f.shifts, f.shifts);
    const std::string key = data::order_key(f.shifts, f.shifts, {business, normal_code(code)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(shift_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

std::optional<CashShift> running_shift(data::Db& db, const RegisterTables& f,
                                       const std::string& business, const std::string& code) {
    std::optional<CashShift> out;
    data::Table t = data::USE(db, f.shifts, f.running);
    if (t->Seek(data::order_key(f.shifts, f.running, {business, normal_code(code), Date()})))
        out = shift_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

std::vector<Operator> business_operators(data::Db& db, const std::string& business) {
    return business_rows<Operator>(db, "DIGITA", business, operator_from_row);
}

std::optional<Operator> read_operator(data::Db& db, const std::string& business,
                                      const std::string& code) {
    return read_code_row<Operator>(db, "DIGITA", business, code, operator_from_row);
}

}  // namespace qz::domain::cash
