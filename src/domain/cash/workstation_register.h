#pragma once
// The register this workstation has open, as every screen asks it: taken when a register is
// opened or re-opened here, dropped when it is closed here, and dropped as well when the register
// row says another workstation closed it meanwhile (the question re-reads the row each time, so a
// closing done elsewhere is noticed at the next sale).
#include <string>

#include "data/db.h"
#include "domain/cash/register_rows.h"
#include "domain/session/session.h"

namespace qz::domain::cash {

// Register families: which table a workstation state's code belongs to. The point-of-sale
// registers take the number the other families leave free.
enum RegisterFamily {
    kFamilyNone = 0,
    kFamilySalesPoint = 1,  // VCAJAS
    kFamilyFrontDesk = 2,   // ENC_HCAJ
    kFamilyReceipts = 3,    // ENC_RCAJ
    kFamilyPos = 4,         // CAJA_ENC
    kFamilyOther = 5,       // ENC_TCAJ
};
// The register table of a family; nullptr for none or an unknown one.
const char* family_table(int family);

// Whether the state says open, after re-reading its register row: a register found closed (or
// gone) resets the state and tells CHANGE_CAJA(0).
bool CAJA_ABIERTA(data::Db& db, Session& s);
bool CAJA2_ABIERTA(data::Db& db, Session& s);

std::string GET_CAJA_ABIERTA(const Session& s);
std::string GET_DIG_ABIERTO(const Session& s);
std::string GET_COD_DIG_ABIERTO(const Session& s);
std::string GET_CAJA2_ABIERTA(const Session& s);
std::string GET_DIG2_ABIERTO(const Session& s);
std::string GET_COD_DIG2_ABIERTO(const Session& s);

// The state that holds `family`'s register, else a free one, else the first (a workstation
// keeps one register per family and at most two families).
RegisterState& state_for_family(Session& s, int family);
// Takes the register into the state of its family and tells CHANGE_CAJA(1).
void take_register(Session& s, int family, const CashRegister& r, const Operator& op);
// Empties the state that holds `family`'s register `code` (if it does) and tells CHANGE_CAJA(0).
void drop_register(Session& s, int family, const std::string& code);

}  // namespace qz::domain::cash
