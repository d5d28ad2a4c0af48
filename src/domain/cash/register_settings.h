#pragma once
// What decides which registers a workstation may operate and how a register is closed: the
// business's settings rows and the workstation's QUARTZEN.INI authorisations.
#include <string>

#include "core/ini_file.h"
#include "data/db.h"

namespace qz::domain::cash {

// Settings-file sections of the authorisations: key business + register code, value "1".
inline constexpr const char* kPosAuthSection = "AUT_CAJA";
inline constexpr const char* kFrontDeskAuthSection = "HDEF_CAJA";

struct RegisterSettings {
    bool check_pos_auth = false;         // F_FAC.AUT_CAJA
    bool no_closing_report = false;      // F_FAC.NO_PCIERRE
    bool check_front_desk_auth = false;  // F_HOTEL.CHECK_CAJA
    bool waiter_shifts = false;          // F_VENTAS.TURNO_MESE
};
RegisterSettings read_register_settings(data::Db& db, const std::string& business);

std::string authorisation_key(const std::string& business, const std::string& code);
// Whether the settings file authorises the register here (no file authorises nothing).
bool authorised(const IniFile* ini, const char* section, const std::string& business,
                const std::string& code);
void set_authorised(IniFile& ini, const char* section, const std::string& business,
                    const std::string& code, bool on);

}  // namespace qz::domain::cash
