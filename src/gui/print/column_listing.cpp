#include "gui/print/column_listing.h"

#include "services/print/print_ops.h"

namespace qz::gui {

ColumnListing::ColumnListing(services::PrinterFunction& job, std::vector<ListingColumn> columns,
                             double basis, std::function<void(ColumnListing&)> above_titles)
    : m_job(job), m_columns(std::move(columns)), m_basis(basis), m_above(std::move(above_titles)) {}

void ColumnListing::header() {
    m_row = services::HEADER(m_job);
    services::LETRAPP(m_job);
    m_scale = m_job.Chars_per_Line / m_basis;
    m_job.BEGIN_HEADER();
    if (m_above) m_above(*this);
    for (size_t i = 0; i < m_columns.size(); ++i) put(i, m_columns[i].title);
    m_job.END_HEADER();
    m_row += 1;
    rule();
}

void ColumnListing::put(size_t column, const std::string& text) {
    const ListingColumn& c = m_columns[column];
    const double width = c.width * m_scale;
    const std::string cut = services::CUT(m_job, text, width);
    const double at = c.at * m_scale + (c.amount ? width - static_cast<double>(cut.size()) : 0);
    services::PRINTOUT(m_job, m_row, at, cut);
}

void ColumnListing::note(const std::string& text) {
    services::PRINTOUT(m_job, m_row, 0, text);
    m_row += 1;
}

bool ColumnListing::line(const std::vector<std::string>& cells) {
    if (!services::CANPRINT(m_job)) return false;
    for (size_t i = 0; i < cells.size() && i < m_columns.size(); ++i) put(i, cells[i]);
    m_row += 1;
    services::NEXT_PAGE(m_job, [this] { header(); });
    return true;
}

bool ColumnListing::text_line(const std::string& text, const std::vector<std::string>& cells) {
    if (!services::CANPRINT(m_job)) return false;
    services::PRINTOUT(m_job, m_row, 0, text);
    for (size_t i = 0; i < cells.size() && i < m_columns.size(); ++i)
        if (!cells[i].empty()) put(i, cells[i]);
    m_row += 1;
    services::NEXT_PAGE(m_job, [this] { header(); });
    return true;
}

void ColumnListing::rule() {
    services::SUBRAYA(m_job, m_row, 0, m_job.Chars_per_Line);
    m_row += 0.3;
}

}  // namespace qz::gui
