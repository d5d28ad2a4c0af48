#include "gui/print/tree_report.h"

#include <QApplication>

#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

std::string cargo_text(const std::optional<Cargo>& cargo) {
    if (!cargo) return {};
    if (auto* s = std::get_if<std::string>(&*cargo)) return *s;
    if (auto* d = std::get_if<Decimal>(&*cargo)) return d->to_string();
    if (auto* d = std::get_if<Date>(&*cargo)) return d->dtoc();
    return {};
}

// The node's text, dotted out to the cargo column when asked.
std::string line_text(const TreePrintLine& l, int width, bool dotted) {
    std::string text = (l.marked ? "* " : "  ") + l.text;
    if (dotted && static_cast<int>(text.size()) < width) text += " " + std::string(width - text.size() - 1, '.');
    return text;
}

}  // namespace

void print_tree_report(QWidget* owner, const std::string& title,
                       const std::vector<TreePrintLine>& lines, bool dotted) {
    services::PrinterFunction job;
    prepare_job(job);
    job.TITLE1(title.empty() ? "QUARTZEN" : title);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (!START_DOC(owner, job, title.empty() ? "Arbol" : title)) return;
    double row = 0;
    auto header = [&] {
        row = services::HEADER(job);
        services::LETRAP(job);
    };
    header();
    for (const auto& l : lines) {
        if (!services::CANPRINT(job)) break;
        const int indent = 2 + 3 * std::max(0, l.level - 1);
        const int width = std::max(10, 70 - indent);
        services::PRINTOUT(job, row, indent, line_text(l, width, dotted));
        services::PRINTOUT(job, row, 74, cargo_text(l.cargo));
        row += 1;
        if (services::NEXT_PAGE(job, header)) continue;
    }
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
