#include "gui/cash/closing_print.h"

#include <functional>

#include "core/text.h"
#include "gui/print/column_listing.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

using domain::cash::Closing;
using domain::cash::ClosingType;
using services::PrinterFunction;

constexpr const char* kLinePicture = "999,999,999.99";
constexpr const char* kTotalPicture = "99,999,999,999.99";

const std::vector<ListingColumn> kPageColumns = {
    {"Fecha", 0, 10, false},    {"Hora", 11, 8, false},        {"Movimiento", 20, 15, false},
    {"Cliente", 36, 25, false}, {"Referencia", 62, 16, false}, {"M", 79, 4, false},
    {"Monto", 84, 17, true}};
constexpr double kPageBasis = 101;
// The roll: date, time, reference, symbol, amount.
const std::vector<ListingColumn> kTicketColumns = {{"Fecha", 0, 10, false},
                                                   {"Hora", 11, 8, false},
                                                   {"Referencia", 20, 11, false},
                                                   {"M", 32, 3, false},
                                                   {"Monto", 35, 15, true}};
constexpr double kTicketBasis = 50;

std::string amount(const Decimal& d, const char* picture) {
    return services::format_number(d, picture);
}

std::string register_line(const Closing& c) {
    return "Caja: " + c.register_code + " " + c.register_name;
}

std::string cashier_line(const Closing& c) { return "Cajero: " + c.cashier; }

// A column listing under the ticket's own header: the logo, the title, the register, the period,
// the print date and the cashier, again on every page.
class TicketListing {
public:
    TicketListing(PrinterFunction& job, const Closing& c, const ClosingLayout& l)
        : m_job(job), m_c(c), m_l(l) {}

    void header() {
        services::CHECK_PAGE(m_job);
        services::LETRAP(m_job);
        m_scale = m_job.Chars_per_Line / kTicketBasis;
        m_row = 0;
        if (!m_l.logo.empty()) {
            // 20 columns by 8 in the width of a column, so the logo keeps its shape.
            const double rows = 8 * m_job.cell_width() / m_job.line_height();
            services::DRAW_LOGO(m_job, m_l.logo, m_row, 0, rows, 20);
            m_row += rows + 0.5;
        }
        for (const std::string& text :
             {std::string("CIERRE DE CAJA"), register_line(m_c),
              "Entre: " + m_c.start_date.dtoc4() + " " + m_c.start_time,
              "Y: " + m_c.end_date.dtoc4() + " " + m_c.end_time, m_l.printed_at, cashier_line(m_c)})
            text_line(text, {}, false);
        for (size_t i = 0; i < kTicketColumns.size(); ++i) put(i, kTicketColumns[i].title);
        m_row += 1;
        services::SUBRAYA(m_job, m_row, 0, m_job.Chars_per_Line);
        m_row += 0.3;
    }
    bool text_line(const std::string& text, const std::vector<std::string>& cells,
                   bool may_break = true) {
        if (!services::CANPRINT(m_job)) return false;
        if (!text.empty()) services::PRINTOUT(m_job, m_row, 0, text);
        for (size_t i = 0; i < cells.size(); ++i)
            if (!cells[i].empty()) put(i, cells[i]);
        m_row += 1;
        if (may_break) services::NEXT_PAGE(m_job, [this] { header(); });
        return true;
    }
    void rule() {
        services::SUBRAYA(m_job, m_row, 0, m_job.Chars_per_Line);
        m_row += 0.3;
    }

private:
    void put(size_t column, const std::string& text) {
        const ListingColumn& c = kTicketColumns[column];
        const double width = c.width * m_scale;
        const std::string cut = services::CUT(m_job, text, width);
        const double at = c.at * m_scale + (c.amount ? width - static_cast<double>(cut.size()) : 0);
        services::PRINTOUT(m_job, m_row, at, cut);
    }

    PrinterFunction& m_job;
    const Closing& m_c;
    const ClosingLayout& m_l;
    double m_row = 0, m_scale = 1;
};

// What the two layouts share: a text line with cells, a rule.
struct Out {
    std::function<bool(const std::string&, const std::vector<std::string>&)> text_line;
    std::function<void()> rule;
    size_t symbol_column, amount_column;

    bool total(const std::string& label, const std::string& symbol, const Decimal& value) {
        std::vector<std::string> cells(amount_column + 1);
        cells[symbol_column] = symbol;
        cells[amount_column] = amount(value, kTotalPicture);
        return text_line(label, cells);
    }
};

bool detail_of(Out& out, const ClosingType& t, const Closing& c, bool ticket) {
    if (!out.text_line(t.code + ": " + t.description, {})) return false;
    for (const auto& l : t.lines) {
        const std::string money = amount(l.amount, kLinePicture);
        const std::string date = l.date.dtoc4();
        const bool ok =
            ticket ? out.text_line("", {date, l.time, l.reference, l.symbol, money})
                   : out.text_line("", {date, l.time, l.receipt, utf8_substr(l.customer, 0, 25),
                                        l.reference, l.symbol, money});
        if (!ok) return false;
    }
    return out.total(ticket ? "***Total " : "***Total " + t.description, c.symbol, t.total);
}

void listing(Out& out, const Closing& c, const ClosingLayout& l) {
    for (const auto& t : c.types) {
        if (t.total.is_zero()) continue;
        const bool ok = l.detail ? detail_of(out, t, c, l.ticket)
                                 : out.total(t.code + ": " + t.description, c.symbol, t.total);
        if (!ok) return;
    }
    out.rule();
    const std::pair<std::string, Decimal> totals[] = {
        {"***Gran Total Gravado:", c.taxed},
        {"***Gran Total Exento:", c.exempt},
        {"***Gran Total Impuestos:", c.tax},
        {"***Gran Total ", c.grand_total},
        {l.ticket ? "***G.Tot. Recaudado" : "***Gran Total Recaudado", c.collected}};
    for (const auto& [label, value] : totals)
        if (!out.total(label, c.symbol, value)) return;
    out.text_line("", {});
    out.text_line("", {});
    out.text_line("______________________________", {});
    out.text_line("Revisado por:", {});
}

}  // namespace

void closing_titles(PrinterFunction& job, const Closing& c) {
    job.TITLE1("CIERRE DE CAJA");
    job.TITLE2(register_line(c));
    job.TITLE3(domain::cash::closing_period(c));
}

void draw_closing(PrinterFunction& job, const Closing& c, const ClosingLayout& l) {
    if (l.ticket) {
        TicketListing t(job, c, l);
        t.header();
        Out out{[&t](const std::string& s, const std::vector<std::string>& cells) {
                    return t.text_line(s, cells);
                },
                [&t] { t.rule(); }, 3, 4};
        listing(out, c, l);
        return;
    }
    ColumnListing page(job, kPageColumns, kPageBasis, [&c](ColumnListing& p) {
        p.note(register_line(c));
        p.note(cashier_line(c));
    });
    page.header();
    Out out{[&page](const std::string& s, const std::vector<std::string>& cells) {
                return page.text_line(s, cells);
            },
            [&page] { page.rule(); }, 5, 6};
    listing(out, c, l);
}

void draw_closing_by_type(PrinterFunction& job, const Closing& c) {
    bool first = true;
    for (const auto& t : c.types) {
        if (t.total.is_zero()) continue;
        if (!first) {
            services::END_PAGE(job);
            services::START_PAGE(job);
        }
        first = false;
        ColumnListing page(job, kPageColumns, kPageBasis, [&](ColumnListing& p) {
            p.note(register_line(c) + "    " + cashier_line(c));
            p.note("Forma de Pago: " + t.code + " " + t.description);
        });
        page.header();
        for (const auto& l : t.lines)
            if (!page.line({l.date.dtoc4(), l.time, l.receipt, utf8_substr(l.customer, 0, 25),
                            l.reference, l.symbol, amount(l.amount, kLinePicture)}))
                return;
        page.rule();
        std::vector<std::string> cells(7);
        cells[5] = c.symbol;
        cells[6] = amount(t.total, kTotalPicture);
        if (!page.text_line(
                "***Total " + t.description + " (" + std::to_string(t.lines.size()) + " líneas)",
                cells))
            return;
    }
}

}  // namespace qz::gui
