#include "services/workbook/xls_generator.h"

#include <algorithm>

#include "core/text.h"
#include "services/workbook/book_names.h"
#include "services/workbook/xlsx_reader.h"
#include "services/workbook/xlsx_writer.h"

namespace qz::services {

namespace {

constexpr int kMaxRows = 1048576, kMaxCols = 16384;

// The writer's data style of a value read from a file, so a loaded book keeps its emphasis.
int style_for_loaded(const SheetCell& cell) {
    const int base = cell.type == CellType::Number || cell.type == CellType::Boolean ? 4
                     : cell.type == CellType::Date                                   ? 8
                                                                                     : 0;
    return base + 1 + (cell.look.bold ? 1 : 0) + (cell.look.boxed ? 2 : 0);
}

}  // namespace

XLS_GENERATOR::XLS_GENERATOR(PrintStamp stamp, std::filesystem::path bmp_folder)
    : m_stamp(std::move(stamp)), m_bmp_folder(std::move(bmp_folder)) {}

bool XLS_GENERATOR::INIT(const std::filesystem::path& folder, const std::string& file_name,
                         const std::optional<std::string>& sheet_name,
                         const std::filesystem::path& load) {
    release();
    fDir = folder;
    fName = clean_file_name(strip_book_extension(trim(file_name)));
    m_error.clear();
    if (!load.empty()) {
        auto sheets = read_xlsx(load);
        if (!sheets) {
            m_error = "cannot read " + load.string();
            return false;
        }
        adopt_loaded(std::move(*sheets), sheet_name);
    } else {
        const std::string name = !sheet_name                 ? "HOJA 1"
                                 : trim(*sheet_name).empty() ? "Hoja 1"
                                                             : clean_sheet_name(*sheet_name);
        m_sheets.push_back(Sheet{name, {}, {}, {}});
        m_pending.emplace_back();
    }
    ActSheet = 1;
    m_open = true;
    return true;
}

void XLS_GENERATOR::adopt_loaded(std::vector<Sheet> sheets,
                                 const std::optional<std::string>& sheet_name) {
    m_sheets = std::move(sheets);
    for (auto& sheet : m_sheets) {
        for (auto& [pos, cell] : sheet.cells) cell.style = style_for_loaded(cell);
    }
    m_pending.assign(m_sheets.size(), std::nullopt);
    if (sheet_name && !trim(*sheet_name).empty())
        m_sheets.front().name = unique_sheet_name(clean_sheet_name(*sheet_name), 1);
}

bool XLS_GENERATOR::XLSWRITE(int row, int col, const XlsValue& value, bool boxed, bool bold) {
    const int sheet_row = row + yOffset - 1, sheet_col = col - 1;
    if (!m_open || sheet_row < 0 || sheet_row >= kMaxRows || sheet_col < 0 || sheet_col >= kMaxCols)
        return false;
    const int variant = 1 + (bold ? 1 : 0) + (boxed ? 2 : 0);
    SheetCell cell;
    if (auto* text = std::get_if<std::string>(&value)) {
        cell.type = CellType::Text;
        cell.text = *text;
        cell.style = variant;
    } else if (auto* number = std::get_if<Decimal>(&value)) {
        cell.type = CellType::Number;
        cell.number = *number;
        cell.style = 4 + variant;
    } else {
        cell.date = std::get<Date>(value);
        if (cell.date.empty()) return true;  // a blank date leaves the cell empty
        cell.type = CellType::Date;
        cell.style = 8 + variant;
    }
    current().cells[{sheet_row, sheet_col}] = std::move(cell);
    return true;
}

void XLS_GENERATOR::XLSCOLSIZE(int col, double width) {
    if (m_open && col >= 1 && col <= kMaxCols) current().widths[col - 1] = width;
}

void XLS_GENERATOR::WRITEHEADER(const std::vector<std::string>& titles, const std::string& logo,
                                int columns) {
    if (m_open) render_header(current(), titles, logo, columns);
}

std::filesystem::path XLS_GENERATOR::XLSCLOSE(const std::vector<std::string>& titles,
                                              const std::string& logo, const std::string& file_name,
                                              int columns) {
    if (!m_open) {
        m_error = "no book is open";
        return {};
    }
    auto name = clean_file_name(strip_book_extension(trim(file_name.empty() ? fName : file_name)));
    if (trim(name).empty()) name = fName.empty() ? "Libro" : fName;
    const auto path = fDir.empty() ? std::filesystem::path(name + std::string(kBookExtension))
                                   : free_book_path(fDir, name);
    m_pending[ActSheet - 1].reset();
    render_header(current(), titles, logo, columns);
    const bool saved = save(path);
    release();
    return saved ? path : std::filesystem::path{};
}

bool XLS_GENERATOR::XLSCLOSEFILE(bool save_book) {
    if (!m_open) return false;
    const bool ok = !save_book || save(fDir / (fName + std::string(kBookExtension)));
    release();
    return ok;
}

bool XLS_GENERATOR::save(const std::filesystem::path& file) {
    std::error_code ec;
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), ec);
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_pending[i]) render_header(m_sheets[i], m_pending[i]->titles, {}, 0);
        m_pending[i].reset();
    }
    m_error = write_xlsx(m_sheets, ActSheet - 1, file);
    return m_error.empty();
}

void XLS_GENERATOR::release() {
    m_sheets.clear();
    m_pending.clear();
    ActSheet = 0;
    m_open = false;
}

std::string XLS_GENERATOR::unique_sheet_name(const std::string& wanted, int except) const {
    auto taken = [&](const std::string& name) {
        for (int i = 1; i <= NUM_SHEETS(); ++i)
            if (i != except && iequals(m_sheets[i - 1].name, name)) return true;
        return false;
    };
    std::string name = wanted;
    for (int n = 2; taken(name); ++n) {
        const std::string suffix = " (" + std::to_string(n) + ")";
        name = utf8_substr(wanted, 0, 31 - suffix.size()) + suffix;
    }
    return name;
}

int XLS_GENERATOR::NEW_SHEET(const std::string& name, const std::vector<std::string>& titles) {
    if (!m_open) return 0;
    auto clean = clean_sheet_name(trim(name));
    if (clean.empty()) clean = "Hoja " + std::to_string(NUM_SHEETS() + 1);
    m_sheets.push_back(Sheet{unique_sheet_name(clean), {}, {}, {}});
    m_pending.push_back(titles.empty() ? std::nullopt
                                       : std::optional<PendingHeader>(PendingHeader{titles}));
    ActSheet = NUM_SHEETS();
    return ActSheet;
}

bool XLS_GENERATOR::CHANGESHEETNAME(int sheet, const std::string& name) {
    const auto clean = clean_sheet_name(trim(name));
    if (!m_open || !valid_sheet(sheet) || clean.empty()) return false;
    m_sheets[sheet - 1].name = unique_sheet_name(clean, sheet);
    return true;
}

bool XLS_GENERATOR::DEL_SHEET(int sheet) {
    if (!m_open || !valid_sheet(sheet) || NUM_SHEETS() == 1) return false;
    m_sheets.erase(m_sheets.begin() + (sheet - 1));
    m_pending.erase(m_pending.begin() + (sheet - 1));
    if (ActSheet > sheet || ActSheet > NUM_SHEETS()) --ActSheet;
    return true;
}

std::string XLS_GENERATOR::GET_SHEETNAME(int sheet) const {
    return m_open && valid_sheet(sheet) ? m_sheets[sheet - 1].name : std::string{};
}

bool XLS_GENERATOR::SET_ACTIVESHEET(int sheet) {
    if (!m_open || !valid_sheet(sheet)) return false;
    ActSheet = sheet;
    return true;
}

SheetRange XLS_GENERATOR::GET_SHEETRANGE() const {
    SheetRange r;
    if (!m_open) return r;
    bool any = false;
    for (const auto& [pos, cell] : current().cells) {
        if (cell.type == CellType::Empty) continue;
        const int row = pos.first + 1, col = pos.second + 1;
        r.first_row = any ? std::min(r.first_row, row) : row;
        r.last_row = any ? std::max(r.last_row, row) : row;
        r.first_col = any ? std::min(r.first_col, col) : col;
        r.last_col = any ? std::max(r.last_col, col) : col;
        any = true;
    }
    return r;
}

CellType XLS_GENERATOR::GET_CELLTYPE(int col, int row) const {
    if (!m_open) return CellType::Empty;
    const auto it = current().cells.find({row - 1, col - 1});
    return it == current().cells.end() ? CellType::Empty : it->second.type;
}

XlsCellData XLS_GENERATOR::GET_CELLDATA(int col, int row) const {
    if (!m_open) return {};
    const auto it = current().cells.find({row - 1, col - 1});
    if (it == current().cells.end()) return {};
    const auto& cell = it->second;
    switch (cell.type) {
        case CellType::Text:
        case CellType::Error:
            return cell.text;
        case CellType::Number:
            return cell.number;
        case CellType::Date:
            return cell.date;
        case CellType::Boolean:
            return !cell.number.is_zero();
        case CellType::Blank:
        case CellType::Empty:
            return {};
    }
    return {};
}

}  // namespace qz::services
