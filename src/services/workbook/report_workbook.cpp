#include "services/workbook/report_workbook.h"

#include <algorithm>
#include <cmath>

#include "core/datetime_text.h"
#include "core/text.h"
#include "services/workbook/book_names.h"
#include "services/workbook/cell_text_rules.h"

namespace qz::services {

namespace {

constexpr int kAlignCentred = 1, kAlignRight = 2;

// Rows may be fractional (1, 2.5, 3.4...); a value between two rows belongs to the lower one.
int row_up(double row) { return static_cast<int>(std::ceil(row - 1e-9)); }

long hundredths_of_day(const std::string& time) { return TIME_TO_S(time) * 100; }

}  // namespace

ReportWorkbook::ReportWorkbook(std::filesystem::path folder, const PrintStamp& stamp,
                               std::filesystem::path bmp_folder)
    : m_folder(std::move(folder)),
      m_seed(hundredths_of_day(stamp.at.time)),
      m_current_year(stamp.at.date.empty() ? workstation_now().date.year() : stamp.at.date.year()),
      m_book(stamp, std::move(bmp_folder)) {}

void ReportWorkbook::add_heading(double row, int column, const std::string& text, int align, bool) {
    // Later headings at a known column (a second page's, a sub-heading) do not redefine it.
    if (m_started || trim(text).empty() || m_headings.count(column)) return;
    m_headings[column] = Heading{row, trim(text), align};
}

void ReportWorkbook::end_header(const std::string& title1) {
    if (m_started) return;
    const auto name = scratch_book_name(m_folder, m_seed);
    if (!m_book.INIT(m_folder, name, title1)) return;
    m_started = true;
    if (m_headings.empty()) return;
    double top = m_headings.begin()->second.print_row;
    for (const auto& [col, h] : m_headings) top = std::min(top, h.print_row);
    std::map<int, int> next_col;  // per book row
    for (auto& [print_col, h] : m_headings) {
        h.row = row_up(h.print_row - top + 1);
        h.col = ++next_col[h.row];
        m_book.XLSWRITE(h.row, h.col, h.text, true, true);
        remember_width(h.col, h.text);
    }
}

void ReportWorkbook::add_value(double row, int column, const std::string& text, bool bold) {
    const auto it = m_headings.find(column);
    const auto shown = trim(text);
    const int book_row = row_up(row);
    if (!m_started || it == m_headings.end() || shown.empty() || book_row < 1) return;
    const auto value = value_for(it->second, shown);
    if (m_book.XLSWRITE(book_row, it->second.col, value, false, bold))
        remember_width(it->second.col, shown);
}

XlsValue ReportWorkbook::value_for(const Heading& heading, const std::string& text) const {
    if (heading.align == kAlignRight) {
        if (auto number = number_from_text(text)) return ROUND5(*number);
        return text;
    }
    if (text.size() == 8 && looks_like_date(text)) {
        const int century = heading.align == kAlignCentred
                                ? 20
                                : report_century(std::stoi(text.substr(6, 2)), m_current_year);
        if (auto date = date_in_century(text, century)) return *date;
    }
    if (auto date = date_in_century(text, 20); date && text.size() == 10) return *date;
    return text;
}

void ReportWorkbook::remember_width(int col, const std::string& text) {
    auto& width = m_widths[col];
    width = std::max(width, utf8_length(text));
}

std::filesystem::path ReportWorkbook::close(const std::vector<std::string>& titles,
                                            const std::string& logo, const std::string& file_name) {
    if (!m_started) return {};
    for (const auto& [col, width] : m_widths) m_book.XLSCOLSIZE(col, static_cast<double>(width));
    const int columns = m_widths.empty() ? 0 : m_widths.rbegin()->first;
    m_started = false;
    return m_book.XLSCLOSE(titles, logo, file_name, columns);
}

std::unique_ptr<ExcelSink> make_report_workbook(const std::filesystem::path& folder,
                                                const PrintStamp& stamp,
                                                const std::filesystem::path& bmp_folder) {
    auto temp = folder;
    if (!temp.has_filename()) temp = temp.parent_path();  // "…/TEMP/"
    return std::make_unique<ReportWorkbook>(
        folder, stamp, bmp_folder.empty() ? temp.parent_path() / "BMP" : bmp_folder);
}

}  // namespace qz::services
