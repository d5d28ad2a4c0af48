#pragma once
// A small modal grid of detail rows of one code (a link's distribution, a plan's terms): rows
// are added and removed with "Agregar Línea" / "Borrar Línea", cells typed in place, and
// "Aceptar" hands every row to `save`, which shows its own refusals; the form closes only once
// it saved. Cells of a column with an amount field are read through it first.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/amount.h"

class QWidget;

namespace qz::gui {

struct RowsColumn {
    std::string heading;
    int max_length = 0;                 // typed characters of a text cell; 0 = no limit
    std::optional<AmountField> amount;  // a number column
};

using RowsValues = std::vector<std::vector<std::string>>;  // row by row, cell by column

// Runs the form modally; true when `save` accepted the rows. Number cells reach `save` as
// plain decimals ("33.5"), already checked against their field.
bool run_rows_form(QWidget* owner, const std::string& dlg_name, const std::string& caption,
                   std::vector<RowsColumn> columns, const RowsValues& rows,
                   const std::function<bool(const RowsValues&)>& save);

// Control ids: the grid, and the buttons besides OK (1) and Cancel (2).
inline constexpr int kRowsGrid = 500, kRowsAdd = 201, kRowsDelete = 203;

}  // namespace qz::gui
