#include "domain/ledger/print_format_draft.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "domain/ledger/printable_document.h"

namespace qz::domain {

namespace {

constexpr double kFirstLinesRow = 11;

double snap(double v) { return std::round(v * 2) / 2; }

// How wide a new element starts: room for what it usually shows.
int default_width(const std::string& field) {
    const PrintableField* f = printable_field(field);
    if (!f) return 30;
    switch (f->kind) {
        case PrintValue::Kind::Amount:
            return 14;
        case PrintValue::Kind::Quantity:
            return 9;
        case PrintValue::Kind::Date:
            return 10;
        case PrintValue::Kind::Text:
            break;
    }
    return f->line ? 20 : 30;
}

}  // namespace

const FormatElement& FormatDraft::at(size_t i) const {
    return is_line(i) ? m_f.lines.at(i - m_f.header.size()) : m_f.header.at(i);
}

FormatElement& FormatDraft::ref(size_t i) {
    return is_line(i) ? m_f.lines.at(i - m_f.header.size()) : m_f.header.at(i);
}

double FormatDraft::free_row() const {
    double row = 0;
    for (const auto& e : m_f.header) row = std::max(row, std::floor(e.row) + 1);
    return std::min<double>(row, kFormatRows - 1);
}

double FormatDraft::lines_row() const {
    return m_f.lines.empty() ? kFirstLinesRow : m_f.lines.front().row;
}

size_t FormatDraft::place(FormatElement e, bool line) {
    m_dirty = true;
    e.width = std::clamp(e.width, 1, static_cast<int>(m_f.columns - e.column));
    if (line) {
        m_f.lines.push_back(std::move(e));
        return count() - 1;
    }
    m_f.header.push_back(std::move(e));
    return m_f.header.size() - 1;
}

size_t FormatDraft::add_field(const std::string& field) {
    const PrintableField* known = printable_field(field);
    FormatElement e;
    e.field = field;
    e.width = default_width(field);
    const bool numeric = known && (known->kind == PrintValue::Kind::Amount ||
                                   known->kind == PrintValue::Kind::Quantity);
    e.align = numeric ? 2 : 0;
    if (known && known->line) {
        // The heading is the caption without its "Línea: " and its "(recibos)".
        std::string heading = known->caption;
        if (const auto colon = heading.find(": "); colon != std::string::npos)
            heading = heading.substr(colon + 2);
        e.text = rtrim(heading.substr(0, heading.find(" (")));
        e.row = lines_row();
        double right = 0;
        for (const auto& l : m_f.lines) right = std::max(right, l.column + l.width + 1);
        e.column = std::min(right, m_f.columns - 1);
        return place(e, true);
    }
    e.row = free_row();
    return place(e, false);
}

size_t FormatDraft::add_text(const std::string& text) {
    FormatElement e;
    e.text = rtrim(text);
    e.width = static_cast<int>(utf8_length(e.text)) + 1;
    e.row = free_row();
    return place(e, false);
}

size_t FormatDraft::add_rule() {
    FormatElement e;
    e.field = kRuleField;
    e.width = static_cast<int>(m_f.columns);
    e.row = free_row();
    return place(e, false);
}

size_t FormatDraft::move(size_t i, double row, double column) {
    m_dirty = true;
    FormatElement& e = ref(i);
    const double c = std::clamp(snap(column), 0.0, std::max(0.0, m_f.columns - e.width));
    if (is_line(i)) {
        // The lines block begins at least one row down (its headings) and keeps its lines.
        const double r = std::clamp(snap(row), 1.0, double(kFormatRows - m_f.page.lines));
        for (auto& l : m_f.lines) l.row = r;
        e.column = c;
        return i;
    }
    e.row = std::clamp(snap(row), 0.0, double(kFormatRows - 1));
    e.column = c;
    return i;
}

size_t FormatDraft::change(size_t i, const FormatElement& changed) {
    m_dirty = true;
    const PrintableField* known = printable_field(changed.field);
    const bool line = known && known->line;
    FormatElement e = changed;
    e.width = std::clamp(e.width, 1, static_cast<int>(m_f.columns - e.column));
    if (line == is_line(i)) {
        ref(i) = e;
        return i;
    }
    remove(i);
    if (line) e.row = lines_row();
    return place(e, line);
}

void FormatDraft::remove(size_t i) {
    m_dirty = true;
    if (is_line(i))
        m_f.lines.erase(m_f.lines.begin() + static_cast<long>(i - m_f.header.size()));
    else
        m_f.header.erase(m_f.header.begin() + static_cast<long>(i));
}

}  // namespace qz::domain
