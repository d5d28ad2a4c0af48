#pragma once
// The application-wide settings the dialog framework reads. The session sets them at start-up and
// login; every screen and edit created afterwards follows them.
#include <optional>
#include <string>
#include <vector>

namespace qz::gui {

// One caption replacement of the business (table TRADUCT): `from` becomes `to`; mode 1 replaces
// it anywhere in a caption, mode 0 only as a whole word or as the whole caption.
struct TraductRow {
    std::string from, to;
    int mode = 0;
};

// "NO" switches the date keys of edit fields off (F_SYS NO_DATE = 1).
void set_XSEL_DATE(std::optional<std::string> value);
bool date_keys_enabled();

void set_XTRADUCT(std::vector<TraductRow> rows);
const std::vector<TraductRow>& XTRADUCT();

// Face name that replaces every screen's font; unset keeps the screens' own.
void set_XGLOBAL_FONT_NAME(std::optional<std::string> face);
const std::optional<std::string>& XGLOBAL_FONT_NAME();

}  // namespace qz::gui
