#include "gui/browse/add2browse.h"

#include "core/text.h"
#include "gui/framework/dialog_frame.h"
#include "gui/framework/traduct.h"

namespace qz::gui {

std::string field_of_expression(const std::string& expression) {
    std::string e = trim(expression);
    if (e.find('(') != std::string::npos) return {};
    const size_t arrow = e.find("->");
    return upper_ascii(arrow == std::string::npos ? e : e.substr(arrow + 2));
}

void AGREGARCOL(WBROWSE& grid, data::WDBTable& table, const std::string& heading,
                const std::string& field, const std::string& picture,
                std::function<CellValue()> block, int align, bool text_block, int adjust) {
    WBCOLUMN c;
    c.wbHeading = CHECK_TRADUCT(heading, XTRADUCT());
    c.wbCargo = field;
    c.wbPicture = picture;
    c.wbAlign = text_block ? 2 : align;
    c.wbTSBlock = text_block;
    c.wbAdjust = adjust;
    if (!field.empty() && !block) {
        const std::string name = field_of_expression(field);
        const int pos = name.empty() ? 0 : table.FieldPos(name);
        if (!pos)
            throw FrameworkError("La columna \"" + heading + "\" necesita un bloque para " + field);
        data::WDBTable* t = &table;
        c.wbBlock = [t, pos] { return t->FieldGet(pos); };
    } else {
        c.wbBlock = std::move(block);
        c.wbSpecial = field.empty();
    }
    grid.ADDCOLUMN(std::move(c));
}

std::vector<long> GET_MARKS(const WBLISTBOX& grid) {
    return {grid.marks().begin(), grid.marks().end()};
}

bool ISOBMARK2(const WBLISTBOX& grid, long recno) { return grid.marks().count(recno) > 0; }

}  // namespace qz::gui
