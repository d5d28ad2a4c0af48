#include "gui/framework/framework_settings.h"

#include <QPointer>
#include <QWidget>

#include "gui/framework/screen_host.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

namespace {
struct Settings {
    std::optional<std::string> sel_date;
    std::vector<TraductRow> traduct;
    std::optional<std::string> font_name;
    QPointer<QWidget> main_window;
    ScreenHost* host = nullptr;
};

Settings& settings() {
    static Settings s;
    return s;
}
}  // namespace

void ScreenHost::adopt_screen(WDIAG& screen) { screen.show(); }

void set_XSEL_DATE(std::optional<std::string> value) { settings().sel_date = std::move(value); }
bool date_keys_enabled() { return settings().sel_date.value_or("") != "NO"; }

void set_XTRADUCT(std::vector<TraductRow> rows) { settings().traduct = std::move(rows); }
const std::vector<TraductRow>& XTRADUCT() { return settings().traduct; }

void set_XGLOBAL_FONT_NAME(std::optional<std::string> face) {
    settings().font_name = std::move(face);
}
const std::optional<std::string>& XGLOBAL_FONT_NAME() { return settings().font_name; }

void set_main_window(QWidget* window) { settings().main_window = window; }
QWidget* main_window() { return settings().main_window; }

void set_screen_host(ScreenHost* host) { settings().host = host; }
ScreenHost* screen_host() { return settings().host; }

}  // namespace qz::gui
