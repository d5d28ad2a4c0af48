// "Impresión de Bitácora": a customer's notes, newest first, each with its heading line (date,
// time, document, author, last change) and its text wrapped to the page below it.
#include <algorithm>

#include "core/text.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

namespace {

const char* const kTitle = "Impresión de Bitácora";

// The note's text cut into lines of at most `width` characters, breaking at blanks where it can.
std::vector<std::string> wrapped(const std::string& text, size_t width) {
    std::vector<std::string> out;
    for (std::string line : split(text, '\n')) {
        line = rtrim(line);
        while (utf8_length(line) > width) {
            std::string head = utf8_substr(line, 0, width);
            const size_t blank = head.rfind(' ');
            if (blank != std::string::npos && blank > 0) head = head.substr(0, blank);
            out.push_back(rtrim(head));
            line = trim(line.substr(head.size()));
        }
        out.push_back(line);
    }
    return out;
}

std::string heading_of(const dc::LogNote& n) {
    std::string h = n.date.dtoc() + " " + n.time + "  " +
                    (n.document.empty() ? "" : "Doc. " + n.document + "  ") + "Usr: " + n.user;
    if (!n.last_date.empty())
        h += "  (Modificado " + n.last_date.dtoc() + " " + n.last_time + " " + n.last_user + ")";
    return h;
}

}  // namespace

void draw_customer_log(services::PrinterFunction& job, const std::string& customer,
                       const std::string& name, const std::vector<dc::LogNote>& notes) {
    double row = 0;
    const auto header = [&] {
        row = services::HEADER(job);
        services::LETRAN(job);
        job.BEGIN_HEADER();
        services::PRINTOUT(job, row, 0, "Cliente: " + customer + " " + name);
        job.END_HEADER();
        row += 1;
        services::SUBRAYA(job, row, 0, job.Chars_per_Line);
        row += 0.5;
    };
    header();
    const auto width = static_cast<size_t>(std::max(20.0, job.Chars_per_Line - 4));
    for (const auto& n : notes) {
        if (!services::CANPRINT(job)) return;
        services::LETRANB(job);
        services::PRINTOUT(job, row, 0, heading_of(n));
        services::LETRAN(job);
        row += 1;
        services::NEXT_PAGE(job, header);
        for (const auto& line : wrapped(n.text, width)) {
            services::PRINTOUT(job, row, 4, line);
            row += 1;
            services::NEXT_PAGE(job, header);
        }
        row += 0.5;
    }
    services::SUBRAYA(job, row, 0, job.Chars_per_Line);
    row += 0.3;
    services::PRINTOUT(job, row, 0, "Total de notas: " + std::to_string(notes.size()));
}

void IMP_BITA(QWidget* owner, const LogDesk& desk, const std::string& customer,
              const std::string& name) {
    const auto notes = dc::customer_log(desk.db, desk.business, customer);
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1(kTitle);
    job.TITLE2(customer + " " + name);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, kTitle)) draw_customer_log(job, customer, name, notes);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
