#pragma once
// What screens use to build their grids: AGREGARCOL adds a column, ADD2BROWSE is the mix-in that
// screens inherit next to WDIAG (its methods act on the grid given), and the free mark queries.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/browse/wblistbox.h"

namespace qz::gui {

// A column of `table` in `grid`. With a field expression and no block the cell shows the field
// (the expression names a field, "ALIAS->FIELD" or "FIELD"); with a block and no expression the
// column is special; `text_block` makes it a right-aligned text column. The heading goes through
// the caption translation. An expression that is not a field of the table needs a block.
void AGREGARCOL(WBROWSE& grid, data::WDBTable& table, const std::string& heading,
                const std::string& field = "", const std::string& picture = "",
                std::function<CellValue()> block = {}, int align = 0, bool text_block = false,
                int adjust = 0);

// The field an expression names ("ALIAS->NOMBRE" → "NOMBRE"); "" when it is not a plain field.
std::string field_of_expression(const std::string& expression);

// The marked record numbers, in record order.
std::vector<long> GET_MARKS(const WBLISTBOX& grid);
bool ISOBMARK2(const WBLISTBOX& grid, long recno);

class ADD2BROWSE {
public:
    virtual ~ADD2BROWSE() = default;
    void BrowMarks(WBLISTBOX& grid, BrowMarksOptions options) { grid.BrowMarks(std::move(options)); }
    void SET_SCOPE(WBLISTBOX& grid, const std::string& start,
                   std::optional<std::string> end = std::nullopt, bool refresh = true,
                   const std::string& extra = "") {
        grid.SET_SCOPE(start, std::move(end), refresh, extra);
    }
    void CLEAR_SCOPE(WBLISTBOX& grid) { grid.CLEAR_SCOPE(); }
    void SET_ORDER(WBLISTBOX& grid, int entry) { grid.SET_ORDER(entry); }
    int GET_OB_ORDER(const WBLISTBOX& grid) const { return grid.GET_OB_ORDER(); }
    bool ADD_MARK(WBLISTBOX& grid, long recno = 0, bool notify = true, bool refresh = true) {
        return grid.ADD_MARK(recno, notify, refresh);
    }
    bool DEL_MARK(WBLISTBOX& grid, long recno = 0, bool notify = true, bool refresh = true) {
        return grid.DEL_MARK(recno, notify, refresh);
    }
    bool TOGGLEMARK(WBLISTBOX& grid, long recno = 0) { return grid.TOGGLEMARK(recno); }
    void NUB_CLEAR(WBLISTBOX& grid) { grid.NUB_CLEAR(); }
    void NUB_MARKALL(WBLISTBOX& grid) { grid.NUB_MARKALL(); }
    void SYMBOLMARK(WBLISTBOX& grid, QString symbol) { grid.SYMBOLMARK(std::move(symbol)); }
    bool SEARCH(WBLISTBOX& grid, const std::string& text) { return grid.SEARCH(text); }
    bool SEARCH_DATO(WBLISTBOX& grid, std::optional<int> index, const std::string& text = "",
                     bool soft = false, long skip = 0) {
        return grid.SEARCH_DATO(index, text, soft, skip);
    }
    void DISABLE_BROWSE(WBLISTBOX& grid) { grid.DISABLE_BROWSE(); }
    void ENABLE_BROWSE(WBLISTBOX& grid) { grid.ENABLE_BROWSE(); }
    void COLOR_BLOCK(WBLISTBOX& grid, std::function<int()> block) {
        grid.COLOR_BLOCK(std::move(block));
    }
    void SET_COLOR_VECTOR(WBLISTBOX& grid, std::vector<std::pair<QColor, QColor>> colours) {
        grid.SET_COLOR_VECTOR(std::move(colours));
    }
    void SET_KEYBLOCK(WBLISTBOX& grid, std::vector<int> columns, WBROWSE::KeyBlock block) {
        grid.SET_KEYBLOCK(std::move(columns), std::move(block));
    }
    void SET_MENUOPTIONS(WBLISTBOX& grid, std::vector<MenuOption> options) {
        grid.SET_MENUOPTIONS(std::move(options));
    }
    void PRESEEKBLOCK(WBLISTBOX& grid, WBROWSE::Block b) { grid.PRESEEKBLOCK(std::move(b)); }
    void POSTSEEKBLOCK(WBLISTBOX& grid, WBROWSE::Block b) { grid.POSTSEEKBLOCK(std::move(b)); }
};

}  // namespace qz::gui
