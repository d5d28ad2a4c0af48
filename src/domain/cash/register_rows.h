#pragma once
// The rows of the cash registers: a register (CAJA_ENC, or the front desk's ENC_HCAJ, which
// shares its core), its shifts (CAJA_DET / DET_HCAJ) and the operators who open them (DIGITA).
// Every reader of these tables goes through the mappers here.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::cash {

// The tables and orders of one register family.
struct RegisterTables {
    const char* registers;  // keyed NEGOCIO + CODIGO in the order of the same name
    const char* shifts;     // keyed NEGOCIO + CAJA + start in the order of the same name
    const char* running;    // NEGOCIO + CAJA + FECHA_FIN: the running shift has an empty end
    bool front_desk;        // LIMITE, H_LIMITE and the closing's control fields
};
inline constexpr RegisterTables kPosRegisters{"CAJA_ENC", "CAJA_DET", "CAJA_DE2", false};
inline constexpr RegisterTables kFrontDesk{"ENC_HCAJ", "DET_HCAJ", "DET_HCAJ2", true};

inline constexpr const char* kOpen = "A";
inline constexpr const char* kClosed = "C";

struct CashRegister {
    std::string code, description;
    std::string password;  // as stored: a hash, or a legacy plain code
    std::string state = kClosed;
    // Defaults the sale screen takes with the register.
    std::string DEF_BODEGA, DEF_AGENTE, DEF_MONEDA, DEF_CLIEN, DEF_CONC, DEF_PREC, DEF_VENT;
    std::array<std::string, 7> DEF_B;    // quick tenders 1..7
    std::array<std::string, 6> ROTULO;   // labels of quick tenders 2..7
    std::string TIP_RECIBO, MON_CIERRE;  // blank MON_CIERRE = the accounting currency
    bool POS = false, LEER_PAGO = false, REST_BOD = false, REST_AGE = false, REST_MON = false,
         REST_CON = false, REST_PRE = false, RESET1 = false, LEE_CAMBIO = false, NO_CONC1 = false,
         REQ_CAP_DA = false, REST_CL = false, DO_CONTADO = false;
    std::array<bool, 10> BLOQUEO{};
    // Front desk only.
    int TIP_CIERRE = 0;
    bool ARQUEO_AD = false;

    bool is_open() const { return state == kOpen; }
};

// A register row of either family (the fields the front desk lacks stay at their defaults).
CashRegister register_from_row(const data::WDBTable& t);
// Writes every field but the pass code (put_pass_code stores that one hashed).
void put_register_row(data::WDBTable& t, const std::string& business, const CashRegister& r);

struct CashShift {
    long recno = 0;
    std::string register_code, operator_code;
    Date start_date, end_date;
    std::string start_time, end_time;
    Decimal opening_fund;  // MONTO_INI
    // Front desk: who closed it, where and when.
    std::string ctrl_user, ctrl_computer, ctrl_time, ctrl_os_user;
    Date ctrl_date;

    bool running() const { return end_date.empty(); }
};

CashShift shift_from_row(data::WDBTable& t);
// A front-desk shift row also gets its limit date and time.
void put_shift_row(data::WDBTable& t, const RegisterTables& f, const std::string& business,
                   const CashShift& s);

struct Operator {
    std::string code, name;
    bool may_close = false;  // CIERRE: may close someone else's front-desk register
};
Operator operator_from_row(const data::WDBTable& t);

std::string register_key(const RegisterTables& f, const std::string& business,
                         const std::string& code);
std::string operator_key(const std::string& business, const std::string& code);

std::optional<CashRegister> read_register(data::Db& db, const RegisterTables& f,
                                          const std::string& business, const std::string& code);
std::vector<CashRegister> business_registers(data::Db& db, const RegisterTables& f,
                                             const std::string& business);
// The register's shifts, the oldest first.
std::vector<CashShift> register_shifts(data::Db& db, const RegisterTables& f,
                                       const std::string& business, const std::string& code);
// The running shift of a register (empty end date), if any.
std::optional<CashShift> running_shift(data::Db& db, const RegisterTables& f,
                                       const std::string& business, const std::string& code);
std::vector<Operator> business_operators(data::Db& db, const std::string& business);
std::optional<Operator> read_operator(data::Db& db, const std::string& business,
                                      const std::string& code);

}  // namespace qz::domain::cash
