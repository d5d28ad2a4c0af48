#pragma once
// What every grid of the session shares: the refresh switch, the remembered search strings, the
// identity a per-user grid font is looked up by, and the hooks to windows built elsewhere (the
// export window, the calendar).
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"

class QWidget;

namespace qz::services {
class GridExportSource;
}

namespace qz::gui {

// XREFRESH_BROWSE: 1 = grids redraw themselves every minute.
void set_XREFRESH_BROWSE(int value);
int XREFRESH_BROWSE();

// XSEARCHOB: the strings saved for searching, shared by every grid of the session.
std::vector<std::string>& XSEARCHOB();
// Adds a string once, newest last.
void remember_search(const std::string& text);

// Business unit and user number (F_BROWSE keys) of the session.
void set_browse_user(std::string business, int user_number);
const std::string& browse_business();
int browse_user_number();

// The export window of a grid; without one, "Exportar a Excel" is disabled. The window keeps
// `source` for as long as it is open, which is longer than the menu command that opened it.
using GridExportWindow =
    std::function<void(QWidget* owner, std::unique_ptr<services::GridExportSource> source,
                       const std::string& caption)>;
void set_grid_export_window(GridExportWindow hook);
const GridExportWindow& grid_export_window();

// The date a grid's "Buscar Fecha..." searches: the day and its kind (0 day, 1 month start,
// 2 month end: the first day of the following month). Nothing when the user cancelled.
struct ChosenDate {
    Date date;
    int kind = 0;
};
using GridDateChooser = std::function<std::optional<ChosenDate>(QWidget* owner, Date initial)>;
// Replaces the small chooser of the grid (set it back with an empty function).
void set_grid_date_chooser(GridDateChooser chooser);
std::optional<ChosenDate> choose_grid_date(QWidget* owner, Date initial);

// The column-layout file: named after the executable with ".INI", next to QUARTZEN.INI.
std::filesystem::path grid_layout_ini_path();

}  // namespace qz::gui
