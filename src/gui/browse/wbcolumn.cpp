#include "gui/browse/wbcolumn.h"

#include "core/picture.h"

namespace qz::gui {

namespace {
bool plain_picture(const std::string& p) { return p.find_first_not_of('X') == std::string::npos; }
}  // namespace

std::string cell_text(const CellValue& v, const std::string& picture) {
    if (const auto* s = std::get_if<std::string>(&v))
        return plain_picture(picture) ? *s : pic_format_text(*s, picture);
    if (const auto* d = std::get_if<Decimal>(&v))
        return plain_picture(picture) ? d->to_string() : pic_format(*d, picture);
    if (const auto* d = std::get_if<Date>(&v)) return d->empty() ? std::string() : d->dtoc();
    return std::get<bool>(v) ? "S" : "N";
}

}  // namespace qz::gui
