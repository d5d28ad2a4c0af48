#include "gui/spa/agenda/agenda_print.h"

#include <algorithm>

#include "core/text.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

constexpr double kHourWidth = 6;

std::vector<std::string> lines_of(const std::string& text) {
    return text.empty() ? std::vector<std::string>{} : split(text, '\n');
}

}  // namespace

void draw_agenda(services::PrinterFunction& job, const domain::spa::AgendaDay& agenda) {
    const auto& rooms = agenda.rooms;
    double row = 0, width = 0;
    auto header = [&] {
        row = services::HEADER(job);
        services::LETRAPP(job);
        width = (job.Chars_per_Line - kHourWidth) / std::max<size_t>(1, rooms.size());
        job.BEGIN_HEADER();
        services::PRINTOUT(job, row, 0, "HORA");
        for (size_t c = 0; c < rooms.size(); ++c)
            services::PRINTOUT(job, row, kHourWidth + c * width,
                               services::CUT(job, rooms[c].name, width - 1));
        job.END_HEADER();
        row += 1;
        services::SUBRAYA(job, row, 0, job.Chars_per_Line);
        row += 0.3;
    };
    header();
    for (const auto& slot : agenda.rows) {
        if (!services::CANPRINT(job)) break;
        size_t height = 1;
        services::PRINTOUT(job, row, 0, slot.time);
        for (size_t c = 0; c < rooms.size(); ++c) {
            const auto lines = lines_of(slot.cells[c].text);
            for (size_t k = 0; k < lines.size(); ++k)
                services::PRINTOUT(job, row + static_cast<double>(k), kHourWidth + c * width,
                                   services::CUT(job, lines[k], width - 1));
            height = std::max(height, lines.size());
        }
        row += static_cast<double>(height);
        services::SUBRAYA(job, row, 0, job.Chars_per_Line);
        row += 0.3;
        services::NEXT_PAGE(job, header);
    }
}

void print_agenda(QWidget* owner, const domain::spa::AgendaDay& agenda) {
    services::PrinterFunction job;
    prepare_job(job);
    job.ORIENTACION(2);
    job.TITLE1("Agenda Spa");
    job.TITLE2(agenda.date.dtoc4());
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    // A job that could not start still goes through RESETPRINT, which gives the owner back.
    if (START_DOC(owner, job, "Agenda Spa")) draw_agenda(job, agenda);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
