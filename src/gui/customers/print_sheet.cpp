#include "gui/customers/print_sheet.h"

#include <algorithm>

#include "gui/customers/statement_print.h"
#include "services/print/print_ops.h"

namespace qz::gui {

PrintSheet::PrintSheet(services::PrinterFunction& job, std::vector<SheetColumn> columns,
                       std::string box)
    : m_job(job), m_columns(std::move(columns)), m_box(std::move(box)) {}

void PrintSheet::header() {
    m_row = services::HEADER(m_job, m_box);
    if (!m_box.empty()) m_row = std::max(m_row, 9.5);
    services::LETRAS(m_job);
    m_job.BEGIN_HEADER();
    // A column without a title is a wider place for the lines under the table (totals, notes).
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (*m_columns[i].title) text(i, m_columns[i].title);
    m_job.END_HEADER();
    m_row += 1;
    services::SUBRAYA(m_job, m_row - 1, 0, m_job.Chars_per_Line);
}

void PrintSheet::text(size_t column, const std::string& value) {
    const SheetColumn& c = m_columns[column];
    services::PRINTOUT(m_job, m_row, c.at, services::CUT(m_job, value, c.width));
}

void PrintSheet::money(size_t column, const Decimal& value) {
    const SheetColumn& c = m_columns[column];
    services::PRINTOUT(m_job, m_row, c.at + c.width - 14, value, kMoneyPicture);
}

void PrintSheet::days(size_t column, long value) {
    const SheetColumn& c = m_columns[column];
    services::PRINTOUT(m_job, m_row, c.at, Decimal(value), "9999");
}

void PrintSheet::next() {
    m_row += 1;
    services::NEXT_PAGE(m_job, [this] { header(); });
}

void PrintSheet::rule() {
    services::SUBRAYA(m_job, m_row - 0.7, 0, m_job.Chars_per_Line);
    m_row += 0.3;
}

bool PrintSheet::alive() const { return services::CANPRINT(m_job); }

}  // namespace qz::gui
