#pragma once
// A modal list to choose one row of a table from: a grid over the table's order (never loading
// it), sortable headings, typing to search, "Aceptar" or a double click to take the row under
// the cursor. Lookups that fill a field of another screen (a customer, a registered ID) use it.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/db.h"
#include "data/wdbtable.h"

class QWidget;

namespace qz::gui {

struct RowChooserSpec {
    std::string dlg_name, caption;
    std::string table;
    std::string scope;  // key prefix of every order offered; "" = the whole table
    // {heading, field} of each column.
    std::vector<std::pair<std::string, std::string>> columns;
    // {field, order}: the columns that sort (and search) by a click on their heading; the first
    // is the order the list opens in.
    std::vector<std::pair<std::string, std::string>> sortable;
};

// Runs the list modally; `take` reads the chosen row while the table is open. False when the
// user cancelled or the table had no row.
bool choose_row(QWidget* owner, data::Db& db, const RowChooserSpec& spec,
                const std::function<void(const data::WDBTable&)>& take);

inline constexpr int kChooserGrid = 500;

}  // namespace qz::gui
