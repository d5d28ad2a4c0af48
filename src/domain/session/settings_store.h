#pragma once
// Writing the settings record F_SYS from the two settings dialogs, "Parámetros Manipulación DB"
// (SYS_DB) and "Fuente Despliegue de Datos" (SYS_FONT), and applying at once what each dialog
// changes for the running session.
//
// The dialogs are laid out from the field lists below, so which field is a number typed through
// which mask, a check box or a text is decided here and nowhere else.
#include <map>
#include <string>
#include <vector>

#include "data/value.h"
#include "domain/session/settings.h"

namespace qz::data {
class Db;
}

namespace qz::domain {

enum class FSysKind { Number, Check, Text };

struct FSysField {
    std::string name;  // field of F_SYS
    FSysKind kind = FSysKind::Number;
    std::string picture;  // the mask a number is typed through
    std::string caption;  // what the dialog calls it
};

// SYS_DB in the dialog's order: the numbers, the check boxes, LOCAL_PATH, RGB1..RGB12 and the
// twelve MS_Mn_MIN / MS_Mn_MAX pairs.
const std::vector<FSysField>& sys_db_fields();
// SYS_FONT: T_FONT, T_SIZE, P_FONT, D_FONT.
const std::vector<FSysField>& sys_font_fields();

// Values by field name: Decimal for numbers, bool for check boxes, text without its padding.
using FSysValues = std::map<std::string, data::Value>;

// The stored values of `fields` (blank ones while F_SYS has no record yet). A field the
// installation's table lacks is left out, and the dialog does not offer it.
FSysValues read_f_sys(data::Db& db, const std::vector<FSysField>& fields);

// Stores `values` into the one record of F_SYS under its lock (appending the record when the
// table has none) and applies the save rules: apply_sys_db_save, or apply_sys_font_save. A
// number may also come as the text a mask shows ("10,000"): it is stored without its thousands
// commas. LOCAL_PATH is stored without a trailing backslash. Fields the table lacks are skipped;
// fields not given keep what they hold. Nothing is stored when a value does not fit its field.
void save_sys_db(data::Db& db, AppSettings& s, const FSysValues& values, ColourDisplay display);
void save_sys_font(data::Db& db, AppSettings& s, const FSysValues& values);

}  // namespace qz::domain
