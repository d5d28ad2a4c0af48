#include "gui/print/print_job.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>
#include <map>
#include <memory>

#include "gui/framework/framework_settings.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/traduct.h"
#include "gui/framework/workspace.h"
#include "gui/print/page_renderer.h"
#include "gui/print/preview.h"
#include "gui/print/print_context.h"
#include "gui/print/while_print.h"

namespace qz::gui {

namespace {

// The progress window of each running job.
std::map<services::PrinterFunction*, std::unique_ptr<WhilePrint>>& windows() {
    static std::map<services::PrinterFunction*, std::unique_ptr<WhilePrint>> open;
    return open;
}

UserPort& port() {
    static QtUserPort fallback;
    return print_context().port ? *print_context().port : fallback;
}

}  // namespace

void prepare_job(services::PrinterFunction& job) {
    if (print_context().environment) job.env = print_context().environment();
}

bool START_DOC(QWidget* owner, services::PrinterFunction& job, const std::string& name, bool show) {
    const PrintContext& ctx = print_context();
    if (job.env.temp_dir.empty()) prepare_job(job);
    // The PDF file "printer" is also what a workstation without printers has as its default, and
    // a document printed there without the printer dialog (an invoice after a sale) is written to
    // a PDF file as well, instead of failing as a printer the platform does not know.
    if (job.b_cSelPrinter == kPdfFilePrinter && !job.recording() && !job.To_Excel)
        job.to_PDF = true;
    job.device_factory = ctx.device_factory ? ctx.device_factory : open_qt_device;
    job.excel_factory = ctx.excel_factory;
    job.measure = qt_measure(job);
    job.translate = [](const std::string& s) { return CHECK_TRADUCT(s, XTRADUCT()); };
    job.port = &port();
    auto& window = windows()[&job];
    window = std::make_unique<WhilePrint>(owner, job);
    job.o_self = window.get();
    return services::START_DOC(job, name, show);
}

void RESETPRINT(QWidget* owner, services::PrinterFunction& job, bool stamp) {
    const services::JobOutcome out = services::RESETPRINT(job, stamp);
    windows().erase(&job);
    job.o_self = services::no_print_progress();
    if (out.preview) open_preview(owner, job);
    if (out.mail) {
        FileMailRequest request{out.file, job.TitleT1, job.EXP_Name, job.to_PDF, false};
        mail_file(owner, request);
    } else if (out.open_workbook || (job.to_PDF && job.Can_Print && !out.file.empty())) {
        if (print_context().open_file)
            print_context().open_file(out.file);
        else
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(out.file.string())));
    }
}

std::string ticket_logo(const std::string& home) {
    const auto path = std::filesystem::path(home) / "BMP" / "TICKET.BMP";
    std::error_code ec;
    return std::filesystem::exists(path, ec) ? path.string() : "";
}

}  // namespace qz::gui
