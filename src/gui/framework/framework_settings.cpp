#include "gui/framework/framework_settings.h"

namespace qz::gui {

namespace {
struct Settings {
    std::optional<std::string> sel_date;
    std::vector<TraductRow> traduct;
    std::optional<std::string> font_name;
};

Settings& settings() {
    static Settings s;
    return s;
}
}  // namespace

void set_XSEL_DATE(std::optional<std::string> value) { settings().sel_date = std::move(value); }
bool date_keys_enabled() { return settings().sel_date.value_or("") != "NO"; }

void set_XTRADUCT(std::vector<TraductRow> rows) { settings().traduct = std::move(rows); }
const std::vector<TraductRow>& XTRADUCT() { return settings().traduct; }

void set_XGLOBAL_FONT_NAME(std::optional<std::string> face) {
    settings().font_name = std::move(face);
}
const std::optional<std::string>& XGLOBAL_FONT_NAME() { return settings().font_name; }

}  // namespace qz::gui
