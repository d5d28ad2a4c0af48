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

std::optional<ChosenDate> choose_grid_date(QWidget* owner, Date initial) {
    FrameworkLinks* links = links_of(owner);
    if (links && links->has_calendar()) return links->choose_date(owner, initial);
    return run_date_chooser(owner, initial);
}

std::filesystem::path grid_layout_ini_path() {
    QString exe = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (exe.isEmpty()) exe = "quartzen-spa";
    return std::filesystem::path(default_ini_path()).parent_path() /
           (exe.toUpper().toStdString() + ".INI");
}

}  // namespace qz::gui
