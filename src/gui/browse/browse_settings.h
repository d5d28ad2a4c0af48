#pragma once
// What every grid of the session shares: the refresh switch, the remembered search strings, the
// identity a per-user grid font is looked up by.
#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "gui/framework/workspace.h"

class QWidget;

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

// The date a grid's "Buscar Fecha...": the workspace's calendar, else the grid's own small
// chooser. Nothing when the user cancelled.
std::optional<ChosenDate> choose_grid_date(QWidget* owner, Date initial);

// The column-layout file: named after the executable with ".INI", next to QUARTZEN.INI.
std::filesystem::path grid_layout_ini_path();

}  // namespace qz::gui
