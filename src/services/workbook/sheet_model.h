#pragma once
// A workbook held in memory: sheets of cells by (row, column), column widths and pictures. The
// writer keeps its book this way until it saves, so sheets can be renamed or dropped and a loaded
// book is saved again from its cells; the reader fills the same shape from an .xlsx file.
// Rows and columns are 0-based here, as the file format and the writing library count them.
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"

namespace qz::services {

enum class CellType { Empty, Number, Date, Text, Boolean, Blank, Error };

// The writer's styles. Data styles 1-12: text 1-4, number 5-8, date 9-12, each as plain, bold,
// boxed (border and fill), boxed bold. The other groups have the same four variants.
inline constexpr int kTitleStyle = 100, kSubtitleStyle = 200, kBorderStyle = 300;

// How a cell looks, as read back from a file.
struct CellLook {
    std::string num_format;  // "General", "#,##0.00", "dd/mm/yyyy"...
    std::string font;
    double font_size = 0;
    bool bold = false;
    bool boxed = false;   // a border on any side
    std::string bottom;   // the bottom border's style: "thin", "medium"... or ""
    bool filled = false;  // a solid fill
};

struct SheetCell {
    CellType type = CellType::Empty;
    std::string text;  // Text and Error cells
    Decimal number;    // Number cells; 1 or 0 for Boolean ones
    Date date;         // Date cells
    int style = 0;     // the writer's style; 0 for none
    CellLook look;     // filled by the reader only
};

struct SheetPicture {
    int row = 0, col = 0;
    std::filesystem::path file;
    double x_scale = 1, y_scale = 1;
};

struct Sheet {
    std::string name;
    std::map<std::pair<int, int>, SheetCell> cells;  // (row, column), row by row
    std::map<int, double> widths;                    // column → width in characters
    std::vector<SheetPicture> pictures;
};

}  // namespace qz::services
