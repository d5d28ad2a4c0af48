#pragma once
// Editcell: editing the current cell of a grid in place. A modal "EDICION" window with one masked
// edit (500) lies exactly over the cell; Enter writes the value to the column's field under a
// record lock and the grid redraws.
#include <QString>

namespace qz::data {
class WDBTable;
}

namespace qz::gui {

class WBROWSE;

class Editcell {
public:
    // Starts on Space, Enter, code 1 or a key from 48 to 111 (`key` as Qt reports it, `text`
    // the character typed, replayed into the editor). `clear` starts character fields blank.
    // True when a value was written.
    static bool Editar(data::WDBTable& table, WBROWSE& grid, int key, const QString& text = {},
                       bool clear = false);
};

}  // namespace qz::gui
