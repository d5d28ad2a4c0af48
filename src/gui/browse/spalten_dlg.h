#pragma once
// SpaltenDlg: which columns a grid shows and in what order, kept per workstation in the layout
// file (grid_layout_ini_path): "SpalteX1".. in the grid's section (initial column number in the
// low word, width in the high word) and "Spalten" ("1"/"0" per initial column), "x", "y" in the
// screen's section.
class QWidget;

namespace qz::gui {

class WBLISTBOX;

class SpaltenDlg {
public:
    // Lists: 101 shown columns, 102 all columns; 105/106 their counts; buttons 103 all, 104
    // none, 112 apply, 1 apply and close, 113 close.
    static void run(WBLISTBOX& grid);
    // Writes the grid's shown columns and widths to the layout file.
    static void save(WBLISTBOX& grid);
};

}  // namespace qz::gui
