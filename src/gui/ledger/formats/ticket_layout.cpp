#include "gui/ledger/formats/ticket_layout.h"

#include <algorithm>
#include <cmath>

#include "core/text.h"
#include "gui/ledger/formats/format_layout.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using services::PrinterFunction;

// Writes the ticket row by row on the strip; a ticket longer than the page goes on.
class Strip {
public:
    Strip(PrinterFunction& job, int columns) : m_job(job) {
        const double strip = kTicketMillimetres / 25.4 * job.DpiY;
        m_width = std::min<double>(job.Width, strip);
        m_cell = m_width / std::max(columns, 10);
        // Characters of a proportional face average about 0.55 of its size.
        const double points = std::clamp(m_cell * 72.0 / job.DpiY / 0.55, 5.0, 12.0);
        m_points = static_cast<int>(std::lround(points));
        m_row = m_points * job.DpiY / 72.0 * 1.3;
        m_normal = services::NEW_FONT(job, job.env.print_font, m_points, false);
        m_bold = services::NEW_FONT(job, job.env.print_font, m_points, true);
        m_big = services::NEW_FONT(job, job.env.print_font, m_points + 3, true);
        services::CHECK_PAGE(job);
    }
    // align 0 left, 1 centred, 2 right; `font` 0 normal, 1 bold, 2 big.
    void text(const std::string& t, int align = 0, int font = 0) {
        if (t.empty()) return;
        break_if_full();
        services::SET_NEW_FONT(m_job, font == 2 ? m_big : font == 1 ? m_bold : m_normal);
        const std::string shown = services::CUT_ABS(m_job, t, m_width);
        const double x = align == 0 ? 0 : align == 1 ? m_width / 2 : m_width;
        services::TEXT_ABS(m_job, static_cast<int>(std::lround(x)), y(), shown, align);
    }
    // A caption on the left and a value on the right of the same row.
    void pair(const std::string& caption, const std::string& value, int font = 0) {
        text(caption, 0, font);
        text(value, 2, font);
        next();
    }
    void line(const std::string& t, int align = 0, int font = 0) {
        text(t, align, font);
        next(font == 2 ? 1.3 : 1);
    }
    // Words wrapped to the strip's width.
    void wrapped(const std::string& t) {
        services::SET_NEW_FONT(m_job, m_normal);
        std::string current;
        for (const std::string& word : split(t, ' ')) {
            if (word.empty()) continue;
            const std::string longer = current.empty() ? word : current + " " + word;
            if (!current.empty() && m_job.text_width(longer) > m_width) {
                line(current);
                current = word;
            } else {
                current = longer;
            }
        }
        line(current);
    }
    void rule() {
        break_if_full();
        const int at = y() + static_cast<int>(m_row / 2);
        services::P_ABSHLINE(m_job, at, 0, static_cast<int>(std::lround(m_width)));
        next();
    }
    void next(double rows = 1) { m_at += rows; }

private:
    int y() const { return static_cast<int>(std::lround(m_at * m_row)); }
    void break_if_full() {
        if ((m_at + 1) * m_row <= m_job.Height) return;
        services::END_PAGE(m_job, false);
        services::START_PAGE(m_job);
        m_at = 0;
    }
    PrinterFunction& m_job;
    double m_width = 0, m_cell = 0, m_row = 0, m_at = 0;
    int m_points = 8, m_normal = 0, m_bold = 0, m_big = 0;
};

std::string shown(const domain::PrintableDocument& doc, const std::string& field) {
    return print_value_text(doc.value(field), field, "");
}

void heading(Strip& s, const domain::ConceptPrintTexts& c, const domain::PrintableDocument& doc) {
    bool first = true;
    for (const auto& t : c.titles) {
        s.line(trim(t), 1, first ? 2 : 0);
        first = false;
    }
    s.next(0.5);
    s.line(c.name + " " + doc.number, 1, 1);
    s.pair("Fecha: " + shown(doc, "FECHA"), shown(doc, "HORA"));
    s.line("Cliente: " + shown(doc, "NOM_CLIENT"));
    if (c.print_agent && !shown(doc, "AGENTE").empty())
        s.line((c.agent_caption.empty() ? "Agente:" : c.agent_caption) + " " +
               shown(doc, "AGENTE"));
    for (const auto& t : c.texts) s.line(t);
    s.rule();
}

void body(Strip& s, const domain::ConceptPrintTexts& c, const domain::PrintableDocument& doc) {
    const auto cell = [](const domain::PrintRecord& r, const char* field) {
        auto it = r.find(field);
        return it == r.end() ? std::string() : print_value_text(it->second, field, "");
    };
    for (const auto& l : doc.lines) {
        s.line(cell(l, "L_DESCRIP"));
        s.pair("   " + cell(l, "L_CANTIDAD") + " x " + cell(l, "L_PRECIO"), cell(l, "L_TOTAL"));
    }
    s.rule();
    s.pair("Subtotal", shown(doc, "SUBTOTAL"));
    if (doc.value("DESCUENTO").number != 0)
        s.pair(c.discount_text.empty() ? "Descuento" : c.discount_text, shown(doc, "DESCUENTO"));
    s.pair("Impuesto", shown(doc, "IMPUESTO"));
    s.pair("TOTAL " + shown(doc, "SIMBOLO"), shown(doc, "MONTO"), 1);
    s.next(0.3);
    s.wrapped(shown(doc, "LETRAS"));
    if (!shown(doc, "TEXTO_EXT").empty()) s.wrapped(shown(doc, "TEXTO_EXT"));
}

}  // namespace

void draw_ticket(PrinterFunction& job, const domain::ConceptPrintTexts& texts,
                 const domain::PrintableDocument& doc, int columns) {
    Strip s(job, columns);
    heading(s, texts, doc);
    body(s, texts, doc);
    s.next(0.5);
    for (const auto& t : texts.closing) s.line(trim(t), 1);
}

}  // namespace qz::gui
