#include "gui/browse/browse_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

#include "core/ini_file.h"
#include "gui/browse/date_chooser.h"

namespace qz::gui {

namespace {
struct BrowseShared {
    int refresh = 1;
    std::vector<std::string> searches;
    std::string business;
    int user = 0;
    GridExportWindow export_window;
    GridDateChooser chooser;
};
BrowseShared& shared() {
    static BrowseShared s;
    return s;
}
}  // namespace

void set_XREFRESH_BROWSE(int value) { shared().refresh = value; }
int XREFRESH_BROWSE() { return shared().refresh; }

std::vector<std::string>& XSEARCHOB() { return shared().searches; }

void remember_search(const std::string& text) {
    auto& s = shared().searches;
    if (std::find(s.begin(), s.end(), text) == s.end()) s.push_back(text);
}

void set_browse_user(std::string business, int user_number) {
    shared().business = std::move(business);
    shared().user = user_number;
}
const std::string& browse_business() { return shared().business; }
int browse_user_number() { return shared().user; }

void set_grid_export_window(GridExportWindow hook) { shared().export_window = std::move(hook); }
const GridExportWindow& grid_export_window() { return shared().export_window; }

void set_grid_date_chooser(GridDateChooser chooser) { shared().chooser = std::move(chooser); }

std::optional<ChosenDate> choose_grid_date(QWidget* owner, Date initial) {
    if (shared().chooser) return shared().chooser(owner, initial);
    return run_date_chooser(owner, initial);
}

std::filesystem::path grid_layout_ini_path() {
    QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (exe.isEmpty()) exe = "quartzen-spa";
    return std::filesystem::path(default_ini_path()).parent_path() /
           (exe.toUpper().toStdString() + ".INI");
}

}  // namespace qz::gui
