#include "services/workbook/xlsx_writer.h"

#include <xlsxwriter.h>

#include <cstdlib>
#include <map>

#include "services/workbook/sheet_serial.h"

namespace qz::services {

namespace {

// The spreadsheet's palette colour 31, a pale lavender, fills the boxed variants.
constexpr lxw_color_t kBoxFill = 0xCCCCFF;
// The longest text a cell holds.
constexpr size_t kMaxCellText = 32767;

struct FontSpec {
    const char* face;
    double size;
};

FontSpec group_font(int group, bool bold) {
    switch (group) {
        case kTitleStyle:
            return {bold ? "Arial Black" : "ARIAL BLACK", 20};
        case kSubtitleStyle:
            return {"Arial Black", 10};
        case kBorderStyle:
            return {"Arial Black", 6};
        default:
            return {"Tahoma", 8};
    }
}

// The writer's styles of one book, created on first use.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : m_book(book) {}

    lxw_format* get(int style) {
        if (style <= 0) return nullptr;
        auto& slot = m_formats[style];
        if (!slot) slot = make(style);
        return slot;
    }

private:
    lxw_format* make(int style) {
        const int group = style >= kTitleStyle ? style / 100 * 100 : 0;
        const int index = style - group - 1;  // 0-based within the group
        const int variant = index % 4;        // 0 plain, 1 bold, 2 boxed, 3 boxed bold
        const bool bold = variant % 2 == 1, boxed = variant >= 2;
        const auto font = group_font(group, bold);
        lxw_format* f = workbook_add_format(m_book);
        format_set_font_name(f, font.face);
        format_set_font_size(f, font.size);
        if (bold) format_set_bold(f);
        if (group == kBorderStyle)
            format_set_bottom(f, LXW_BORDER_MEDIUM);
        else if (boxed)
            format_set_border(f, LXW_BORDER_THIN);
        if (boxed) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, kBoxFill);
        }
        if (group == 0 && index >= 4)
            format_set_num_format(f, index < 8 ? "#,##0.00" : "dd/mm/yyyy");
        return f;
    }

    lxw_workbook* m_book;
    std::map<int, lxw_format*> m_formats;
};

// Cuts a text to the cell limit without splitting a UTF-8 character.
std::string cell_text(const std::string& text) {
    if (text.size() <= kMaxCellText) return text;
    size_t cut = kMaxCellText;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
    return text.substr(0, cut);
}

// The value leaves its exact form only here, where the library takes a double.
double to_double(const Decimal& d) { return std::strtod(d.to_string().c_str(), nullptr); }

lxw_error write_cell(lxw_worksheet* ws, int row, int col, const SheetCell& cell, Formats& formats) {
    lxw_format* f = formats.get(cell.style);
    switch (cell.type) {
        case CellType::Text:
        case CellType::Error:
            return worksheet_write_string(ws, row, col, cell_text(cell.text).c_str(), f);
        case CellType::Number:
            return worksheet_write_number(ws, row, col, to_double(cell.number), f);
        case CellType::Boolean:
            return worksheet_write_boolean(ws, row, col, !cell.number.is_zero(), f);
        case CellType::Date:
            if (auto serial = sheet_serial(cell.date))
                return worksheet_write_number(ws, row, col, static_cast<double>(*serial), f);
            return worksheet_write_string(ws, row, col, cell.date.dtoc4().c_str(), f);
        case CellType::Blank:
            return worksheet_write_blank(ws, row, col, f);
        case CellType::Empty:
            return LXW_NO_ERROR;
    }
    return LXW_NO_ERROR;
}

std::string fill_sheet(lxw_worksheet* ws, const Sheet& sheet, Formats& formats) {
    for (const auto& [col, width] : sheet.widths)
        worksheet_set_column(ws, col, col, width, nullptr);
    for (const auto& [pos, cell] : sheet.cells) {
        const auto err = write_cell(ws, pos.first, pos.second, cell, formats);
        if (err != LXW_NO_ERROR) return lxw_strerror(err);
    }
    for (const auto& pic : sheet.pictures) {
        lxw_image_options opt{};
        opt.x_scale = pic.x_scale;
        opt.y_scale = pic.y_scale;
        // A picture that cannot be read leaves the book without it rather than without the data.
        worksheet_insert_image_opt(ws, pic.row, pic.col, pic.file.c_str(), &opt);
    }
    return {};
}

}  // namespace

std::string write_xlsx(const std::vector<Sheet>& sheets, int active,
                       const std::filesystem::path& file) {
    lxw_workbook* book = workbook_new(file.c_str());
    if (!book) return "cannot create " + file.string();
    Formats formats(book);
    std::string error;
    for (size_t i = 0; i < sheets.size() && error.empty(); ++i) {
        lxw_worksheet* ws = workbook_add_worksheet(book, sheets[i].name.c_str());
        if (!ws) {
            error = "invalid sheet name \"" + sheets[i].name + "\"";
            break;
        }
        if (static_cast<int>(i) == active) worksheet_activate(ws);
        error = fill_sheet(ws, sheets[i], formats);
    }
    const lxw_error closed = workbook_close(book);
    if (error.empty() && closed != LXW_NO_ERROR) error = lxw_strerror(closed);
    if (!error.empty()) {
        std::error_code ec;
        std::filesystem::remove(file, ec);
    }
    return error;
}

}  // namespace qz::services
