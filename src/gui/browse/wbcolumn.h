#pragma once
// WBCOLUMN: one column of a grid. Its value comes from a block evaluated on the table's current
// row; a table column also keeps its field expression in wbCargo (cell editing, the search window
// and the export read it).
#include <QColor>
#include <functional>
#include <optional>
#include <string>

#include "data/value.h"

namespace qz::gui {

using CellValue = data::Value;

struct WBCOLUMN {
    std::string wbHeading;
    std::function<CellValue()> wbBlock;
    std::string wbCargo;    // field expression of a table column; empty for special columns
    std::string wbPicture;
    int wbAlign = 0;        // 2 = right
    bool wbSpecial = false; // the value comes from the block, not from a field
    bool wbTSBlock = false; // special text column, right-aligned
    int wbAdjust = 0;       // extra width in pixels
    int wbWidth = 0;        // pixels, set by CONFIGURE
    std::optional<QColor> wbFGColor, wbBGColor, wbHeadColor;
    std::function<void()> wbHeadBlock;

    // Set by CONFIGURE: "R" right-aligned text, "B" text, "P" picture column.
    char kind = 'B';
    std::string display_picture;

    const std::string& heading() const { return wbHeading; }
    const std::string& picture() const { return wbPicture; }
    bool ISSPECIAL() const { return wbSpecial; }
    bool ISTEXTBLOCK() const { return wbTSBlock; }
    int H_ADJUST() const { return wbAdjust; }
};

// The text a cell shows for a value under a picture: characters and numbers through the picture
// (an "X" picture shows the value as it is), dates as "dd/mm/yy", logicals as "S" or "N".
std::string cell_text(const CellValue& v, const std::string& picture);

}  // namespace qz::gui
