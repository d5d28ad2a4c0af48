#pragma once
// "Parámetros Generales" of the spa: its fields of the business's invoicing settings (F_FAC) and
// the workstation's spa register (settings file, section F_SPA, key business code + "SPA_CAJA").
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::spa {

struct SpaParams {
    std::string serial;                // SPA_SERIAL: series numbering the reservations
    bool mail_on_create = false;       // SPA_A_MAIL
    std::string mail_text;             // SPA_I_MAIL: extra text of the confirmation
    int agenda_step = 0;               // SPA_H_AGEN: 0 hourly, 1 half hour, 2 quarter hour
    std::string first_hour = "00:00";  // HI_AGE_RES
    std::string last_hour = "23:00";   // HF_AGE_RES
    bool register_defaults = false;    // SP_VAL_CAJ
    std::string spa_register;          // F_SPA / business + "SPA_CAJA"
};

inline constexpr const char* kSpaIniSection = "F_SPA";
std::string spa_register_key(const std::string& business);

// The business's settings; defaults where F_FAC has no record or a blank hour. `ini` may be
// null (no settings file): the register is then blank.
SpaParams read_spa_params(data::Db& db, const std::string& business, const IniFile* ini);

// What makes the settings unusable, in the order of the screen; "" when nothing. Hours are whole
// hours "HH:00" from 00 to 23 and the first is not after the last.
std::string check_spa_params(const SpaParams& p);

// What deserves a second look but may be saved: a series or register this business does not
// define.
std::vector<std::string> spa_params_warnings(data::Db& db, const std::string& business,
                                             const SpaParams& p);

// Checks, asks about each warning (through `port`), then writes F_FAC (creating the business's
// record when missing) in one transaction and the register into `ini`. True when saved.
bool save_spa_params(data::Db& db, UserPort& port, const std::string& business, const SpaParams& p,
                     IniFile* ini);

}  // namespace qz::domain::spa
