#include "services/workbook/xlsx_reader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "services/workbook/sheet_serial.h"
#include "services/workbook/xml_scan.h"
#include "services/workbook/zip_archive.h"

namespace qz::services {

namespace {

struct CellFormat {
    int num_fmt = 0;
    int font = 0, fill = 0, border = 0;
};

struct FontLook {
    std::string name;
    double size = 0;
    bool bold = false;
};

struct BorderLook {
    bool any = false;
    std::string bottom;
};

struct Styles {
    std::map<int, std::string> num_formats;
    std::vector<FontLook> fonts;
    std::vector<bool> fills;  // solid or patterned
    std::vector<BorderLook> borders;
    std::vector<CellFormat> cell_formats;

    CellLook look(int index) const;
    bool is_date(int index) const;
};

const std::map<int, std::string>& builtin_formats() {
    static const std::map<int, std::string> formats{
        {0, "General"},   {1, "0"},      {2, "0.00"},    {3, "#,##0"},
        {4, "#,##0.00"},  {9, "0%"},     {10, "0.00%"},  {14, "mm-dd-yy"},
        {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {22, "m/d/yy h:mm"}};
    return formats;
}

std::string format_code(const Styles& styles, int id) {
    if (auto it = styles.num_formats.find(id); it != styles.num_formats.end()) return it->second;
    if (auto it = builtin_formats().find(id); it != builtin_formats().end()) return it->second;
    return {};
}

CellLook Styles::look(int index) const {
    CellLook out;
    if (index < 0 || index >= static_cast<int>(cell_formats.size())) return out;
    const auto& xf = cell_formats[index];
    out.num_format = format_code(*this, xf.num_fmt);
    if (xf.font >= 0 && xf.font < static_cast<int>(fonts.size())) {
        out.font = fonts[xf.font].name;
        out.font_size = fonts[xf.font].size;
        out.bold = fonts[xf.font].bold;
    }
    if (xf.fill >= 0 && xf.fill < static_cast<int>(fills.size())) out.filled = fills[xf.fill];
    if (xf.border >= 0 && xf.border < static_cast<int>(borders.size())) {
        out.boxed = borders[xf.border].any;
        out.bottom = borders[xf.border].bottom;
    }
    return out;
}

bool Styles::is_date(int index) const {
    if (index < 0 || index >= static_cast<int>(cell_formats.size())) return false;
    const int id = cell_formats[index].num_fmt;
    return is_date_format(id, format_code(*this, id));
}

int to_int(const std::optional<std::string>& s, int fallback = 0) {
    return s ? std::atoi(s->c_str()) : fallback;
}

Styles read_styles(const std::string& xml) {
    Styles st;
    XmlScanner x(xml);
    std::string section;
    while (x.next()) {
        if (!x.is_start()) {
            if (x.is("fonts") || x.is("fills") || x.is("borders") || x.is("cellXfs"))
                section.clear();
            continue;
        }
        if (x.is("fonts") || x.is("fills") || x.is("borders") || x.is("cellXfs")) {
            if (!x.is_end()) section = std::string(x.name());
        } else if (x.is("numFmt")) {
            st.num_formats[to_int(x.attr("numFmtId"))] = x.attr("formatCode").value_or("");
        } else if (section == "fonts" && x.is("font")) {
            st.fonts.emplace_back();
        } else if (section == "fonts" && !st.fonts.empty()) {
            if (x.is("b")) st.fonts.back().bold = x.attr("val").value_or("1") != "0";
            if (x.is("sz")) st.fonts.back().size = std::atof(x.attr("val").value_or("0").c_str());
            if (x.is("name")) st.fonts.back().name = x.attr("val").value_or("");
        } else if (section == "fills" && x.is("patternFill")) {
            const auto type = x.attr("patternType").value_or("none");
            st.fills.push_back(type != "none" && type != "gray125");
        } else if (section == "borders" && x.is("border")) {
            st.borders.emplace_back();
        } else if (section == "borders" && !st.borders.empty() && x.attr("style")) {
            st.borders.back().any = true;
            if (x.is("bottom")) st.borders.back().bottom = *x.attr("style");
        } else if (section == "cellXfs" && x.is("xf")) {
            st.cell_formats.push_back({to_int(x.attr("numFmtId")), to_int(x.attr("fontId")),
                                       to_int(x.attr("fillId")), to_int(x.attr("borderId"))});
        }
    }
    return st;
}

std::vector<std::string> read_shared_strings(const std::string& xml) {
    std::vector<std::string> out;
    XmlScanner x(xml);
    bool in_phonetic = false;
    while (x.next()) {
        if (x.is("rPh"))
            in_phonetic = x.is_start() && !x.is_end();
        else if (x.is("si") && x.is_start())
            out.emplace_back();
        else if (x.is("t") && x.is_start() && !in_phonetic && !out.empty())
            out.back() += x.text();
    }
    return out;
}

// "AB12" → (11, 27) as 0-based (row, column).
std::optional<std::pair<int, int>> parse_ref(const std::string& ref) {
    int col = 0;
    size_t i = 0;
    for (; i < ref.size() && ref[i] >= 'A' && ref[i] <= 'Z'; ++i)
        col = col * 26 + (ref[i] - 'A' + 1);
    if (i == 0 || i == ref.size() || col > 16384) return std::nullopt;
    const int row = std::atoi(ref.c_str() + i);
    if (row < 1 || row > 1048576) return std::nullopt;
    return std::make_pair(row - 1, col - 1);
}

Decimal parse_number(const std::string& v) {
    Decimal d;
    if (Decimal::try_parse(v, d)) return d;
    // Exponent forms ("1.5E-3") come from other writers; ten decimals is all a Decimal keeps.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10f", std::strtod(v.c_str(), nullptr));
    return Decimal::try_parse(buf, d) ? d : Decimal{};
}

// A stored column width includes the cell padding (5 pixels of a 7-pixel digit in the default
// font); the characters it holds are what the writer asked for.
double characters(double stored_width) {
    if (stored_width <= 0) return 0;
    return std::max(0.0, std::round((stored_width * 7 - 5) / 7 * 100) / 100);
}

struct RawCell {
    std::string ref, type, value, inline_text;
    int style = 0;
    bool has_value = false;
};

SheetCell make_cell(const RawCell& raw, const std::vector<std::string>& strings,
                    const Styles& styles) {
    SheetCell cell;
    cell.look = styles.look(raw.style);
    if (raw.type == "inlineStr") {
        cell.type = CellType::Text;
        cell.text = raw.inline_text;
    } else if (!raw.has_value) {
        cell.type = CellType::Blank;
    } else if (raw.type == "s") {
        const int i = std::atoi(raw.value.c_str());
        cell.type = CellType::Text;
        if (i >= 0 && i < static_cast<int>(strings.size())) cell.text = strings[i];
    } else if (raw.type == "str") {
        cell.type = CellType::Text;
        cell.text = raw.value;
    } else if (raw.type == "b") {
        cell.type = CellType::Boolean;
        cell.number = Decimal(raw.value == "1" ? 1 : 0);
    } else if (raw.type == "e") {
        cell.type = CellType::Error;
        cell.text = raw.value;
    } else {
        cell.type = CellType::Number;
        cell.number = parse_number(raw.value);
        if (styles.is_date(raw.style)) {
            if (auto d = date_from_sheet_serial(std::strtod(raw.value.c_str(), nullptr))) {
                cell.type = CellType::Date;
                cell.date = *d;
            }
        }
    }
    return cell;
}

void read_sheet(const std::string& xml, const std::vector<std::string>& strings,
                const Styles& styles, Sheet& sheet) {
    XmlScanner x(xml);
    RawCell raw;
    bool in_cell = false;
    auto flush = [&] {
        if (auto pos = parse_ref(raw.ref)) sheet.cells[*pos] = make_cell(raw, strings, styles);
        in_cell = false;
    };
    while (x.next()) {
        if (x.is("c")) {
            if (x.is_start()) {
                raw = RawCell{x.attr("r").value_or(""),
                              x.attr("t").value_or("n"),
                              "",
                              "",
                              to_int(x.attr("s")),
                              false};
                in_cell = true;
            }
            if (x.is_end() && in_cell) flush();
        } else if (in_cell && x.is("v") && x.is_start()) {
            raw.value = x.text();
            raw.has_value = true;
        } else if (in_cell && x.is("t") && x.is_start()) {
            raw.inline_text += x.text();
        } else if (x.is("col") && x.is_start()) {
            const double width = characters(std::atof(x.attr("width").value_or("0").c_str()));
            for (int c = to_int(x.attr("min")); c <= to_int(x.attr("max")) && c <= 16384; ++c)
                sheet.widths[c - 1] = width;
        }
    }
}

// Relationship id → part name inside the archive.
std::map<std::string, std::string> read_relations(const std::string& xml) {
    std::map<std::string, std::string> out;
    XmlScanner x(xml);
    while (x.next()) {
        if (!x.is("Relationship") || !x.is_start()) continue;
        auto target = x.attr("Target").value_or("");
        target = target.rfind('/', 0) == 0 ? target.substr(1) : "xl/" + target;
        out[x.attr("Id").value_or("")] = target;
    }
    return out;
}

}  // namespace

bool is_date_format(int id, const std::string& code) {
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return true;
    bool quoted = false, bracket = false;
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '\\')
            ++i;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '[')
            bracket = true;
        else if (!quoted && c == ']')
            bracket = false;
        else if (!quoted && !bracket && (c == 'd' || c == 'D' || c == 'y' || c == 'Y'))
            return true;
    }
    return false;
}

std::vector<std::string> xlsx_parts(const std::filesystem::path& file) {
    return ZipArchive(file).names();
}

std::optional<std::vector<Sheet>> read_xlsx(const std::filesystem::path& file) {
    ZipArchive zip(file);
    const auto workbook = zip.read("xl/workbook.xml");
    if (!workbook) return std::nullopt;
    const auto relations = read_relations(zip.read("xl/_rels/workbook.xml.rels").value_or(""));
    const auto strings = read_shared_strings(zip.read("xl/sharedStrings.xml").value_or(""));
    const auto styles = read_styles(zip.read("xl/styles.xml").value_or(""));
    std::vector<Sheet> sheets;
    XmlScanner x(*workbook);
    while (x.next()) {
        if (!x.is("sheet") || !x.is_start()) continue;
        Sheet sheet;
        sheet.name = x.attr("name").value_or("");
        const auto rel = relations.find(x.attr("id").value_or(""));
        if (rel == relations.end()) return std::nullopt;
        const auto part = zip.read(rel->second);
        if (!part) return std::nullopt;
        read_sheet(*part, strings, styles, sheet);
        sheets.push_back(std::move(sheet));
    }
    if (sheets.empty()) return std::nullopt;
    return sheets;
}

}  // namespace qz::services
