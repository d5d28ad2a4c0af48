#include "gui/ledger/formats/format_layout.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using domain::FormatElement;
using domain::PrintFormat;
using domain::PrintValue;
using services::PrinterFunction;

// Where the format's grid falls on the device, for one copy on the sheet.
struct Grid {
    const PrinterFunction& job;
    const PrintFormat& f;
    double shift = 0;  // rows: the copy's place on the sheet
    int x(double column) const {
        return static_cast<int>(std::lround((f.offset_h + column) * job.Width / f.columns));
    }
    int y(double row) const {
        return static_cast<int>(
            std::lround((f.offset + shift + row) * job.Height / domain::kFormatRows));
    }
    double width(double cells) const { return cells * job.Width / f.columns; }
};

// The bold face of a normal report font (N, P, S, PP, ZP have their bold one next); others stay.
int bold_of(int font) { return font < 12 && font != 8 && font % 2 == 0 ? font + 1 : font; }

void use_font(PrinterFunction& job, int font) {
    services::select_font(job, static_cast<services::ReportFont>(std::clamp(font, 0, 13)));
}

// One text of an element at `row`, cut to the element's width and aligned inside it.
void put_text(PrinterFunction& job, const Grid& g, const FormatElement& e, double row,
              const std::string& text) {
    if (text.empty()) return;
    if (e.width <= 0) {
        services::TEXT_ABS(job, g.x(e.column), g.y(row), text, 0);
        return;
    }
    const std::string shown = services::CUT_ABS(job, text, g.width(e.width));
    const int align = std::clamp(e.align, 0, 2);
    const double anchor = e.column + (align == 0 ? 0 : align == 1 ? e.width / 2.0 : e.width);
    services::TEXT_ABS(job, g.x(anchor), g.y(row), shown, align);
}

// A value that holds several lines prints them on the rows below.
void put_lines(PrinterFunction& job, const Grid& g, const FormatElement& e, double row,
               const std::string& text) {
    int i = 0;
    for (const std::string& line : split(text, '\n')) put_text(job, g, e, row + i++, line);
}

std::string value_text(const FormatElement& e, const domain::PrintRecord& values) {
    auto it = values.find(e.field);
    return it == values.end() ? "" : print_value_text(it->second, e.field, e.picture);
}

// A fixed text, or a field after its caption; nothing at all when the field is empty.
std::string element_text(const FormatElement& e, const domain::PrintRecord& values) {
    if (e.field.empty()) return e.text;
    const std::string value = value_text(e, values);
    if (value.empty()) return "";
    return e.text.empty() ? value : e.text + " " + value;
}

void draw_header(PrinterFunction& job, const Grid& g, const domain::PrintableDocument& doc) {
    for (const FormatElement& e : g.f.header) {
        if (e.field == domain::kRuleField) {
            services::P_ABSHLINE(job, g.y(e.row), g.x(e.column), g.x(e.column + e.width));
            continue;
        }
        use_font(job, e.font);
        put_lines(job, g, e, e.row, element_text(e, doc.header));
    }
}

// The lines block: headings one row above the first line, `count` lines from `first`.
void draw_lines(PrinterFunction& job, const Grid& g, const domain::PrintableDocument& doc,
                size_t first, size_t count, bool more) {
    const auto& cols = g.f.lines;
    if (cols.empty()) return;
    const double top = cols.front().row;
    double left = cols.front().column, right = left;
    for (const FormatElement& e : cols) {
        use_font(job, bold_of(e.font));
        put_text(job, g, e, top - 1, e.text);
        left = std::min(left, e.column);
        right = std::max(right, e.column + e.width);
    }
    if (!g.f.page.no_horizontal) services::P_ABSHLINE(job, g.y(top - 0.05), g.x(left), g.x(right));
    for (size_t i = 0; i < count; ++i)
        for (const FormatElement& e : cols) {
            use_font(job, e.font);
            put_text(job, g, e, top + static_cast<double>(i), value_text(e, doc.lines[first + i]));
        }
    const double bottom = top + g.f.page.lines;
    if (!g.f.page.no_vertical)
        services::CUADRO_ABS(job, g.x(left), g.y(top - 1.1), g.x(right), g.y(bottom));
    if (more) {
        use_font(job, 2);
        services::TEXT_ABS(job, g.x(right), g.y(bottom), "Continúa...", 2);
    }
}

}  // namespace

std::string print_value_text(const PrintValue& v, const std::string& field,
                             const std::string& picture) {
    switch (v.kind) {
        case PrintValue::Kind::Text:
            return v.text;
        case PrintValue::Kind::Date:
            if (v.date.empty()) return "";
            return upper_ascii(picture) == "DD/MM/AAAA" ? v.date.dtoc4() : v.date.dtoc();
        case PrintValue::Kind::Amount:
        case PrintValue::Kind::Quantity: {
            std::string pic = picture;
            if (pic.empty()) {
                const domain::PrintableField* known = domain::printable_field(field);
                pic = known && *known->picture ? known->picture : domain::kAmountPicture;
            }
            return trim(services::format_number(v.number, pic));
        }
    }
    return "";
}

void draw_format(PrinterFunction& job, const PrintFormat& f, const domain::PrintableDocument& doc) {
    const size_t per_sheet = static_cast<size_t>(std::max(1, f.page.lines));
    const size_t sheets = std::max<size_t>(1, (doc.lines.size() + per_sheet - 1) / per_sheet);
    services::CHECK_PAGE(job);
    for (size_t s = 0; s < sheets; ++s) {
        if (s > 0) {
            services::END_PAGE(job, false);
            services::START_PAGE(job);
        }
        const size_t first = s * per_sheet;
        const size_t count =
            std::min(per_sheet, doc.lines.size() - std::min(first, doc.lines.size()));
        for (int c = 0; c < std::max(1, f.page.copies); ++c) {
            const Grid g{job, f, c * f.page.copy_offset};
            draw_header(job, g, doc);
            draw_lines(job, g, doc, first, count, s + 1 < sheets);
        }
    }
}

}  // namespace qz::gui
