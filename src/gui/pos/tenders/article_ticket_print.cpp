#include "gui/pos/tenders/article_ticket_print.h"

#include "core/text.h"
#include "domain/pos/article_tickets.h"
#include "services/print/predet_store.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

namespace pos = domain::pos;
using services::PrinterFunction;

// The printed date, which is also what the control number reads.
std::string printed_date(const Date& d) { return d.dtoc4(); }

void big(PrinterFunction& job, double row, double column, const std::string& text) {
    services::SET_NEW_FONT(job, services::NEW_FONT(job, job.env.print_font, 20, true));
    services::PRINTOUT(job, row, column, text);
    services::LETRAP(job);
}

void rule(PrinterFunction& job, double row) { services::SUBRAYA(job, row, 0, 96); }

}  // namespace

void draw_article_ticket(PrinterFunction& job, const ArticleTicketRequest& r, long copy,
                         const std::string& logo) {
    using services::PRINTOUT;
    services::LETRAP(job);
    // 40 by 17 in the width of a column, so the logo keeps its shape on any page.
    services::DRAW_LOGO(job, logo, 0, 0, 17 * job.cell_width() / job.line_height(), 40);
    big(job, 1, 30, "TIQUETE");
    const std::string date = printed_date(r.date);
    PRINTOUT(job, 11, 0, trim(r.description));
    PRINTOUT(job, 12, 0, "Válido hasta: " + printed_date(pos::ticket_valid_until(r.date)));
    rule(job, 12.5);
    PRINTOUT(job, 14, 0, "Este Tiquete es válido solamente para");
    PRINTOUT(job, 15, 0, "el Día arriba indicado.");
    PRINTOUT(job, 16, 0, "Fecha/Hora: " + date + "  " + r.time);
    PRINTOUT(job, 17, 0, "Documento : " + trim(r.document) + "(" + std::to_string(copy) + ")");
    rule(job, 17.5);
    big(job, 19, 0, "***" + pos::ticket_control_number(copy, r.time, date) + "***");
    PRINTOUT(job, 22, 0, ".");
}

long P_TIQUETES(DocumentPrinter& p, const ArticleTicketRequest& r) {
    const std::string slot = pos::ticket_printer_slot(p.db, r.business);
    const std::string logo = ticket_logo(p.db.home());
    const long tickets = pos::ticket_count(r.quantity);
    for (long k = 1; k <= tickets; ++k) {
        PrinterFunction job;
        if (!assign_printer(p, job, r.business, slot)) {
            std::string description;
            if (auto row = services::find_predet(p.db, r.business, slot))
                description = trim(row->DESCRIP);
            p.port.message(MsgStyle::Error, "Error",
                           kBadPrinter + job.b_cSelPrinter + "\r" +
                               "Código Impresora Compartida: " + slot + " " + description);
            return k - 1;
        }
        if (!p.start(job, pos::ticket_job_name(k))) {
            p.finish(job);
            return k - 1;
        }
        draw_article_ticket(job, r, k, logo);
        services::END_PAGE(job, false);
        p.finish(job);
    }
    return tickets;
}

}  // namespace qz::gui
