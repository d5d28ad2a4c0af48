#include "gui/ledger/formats/screen_printer.h"

#include "gui/framework/qt_user_port.h"
#include "gui/print/print_context.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

DocumentPrinter screen_printer(QWidget* owner, data::Db& db, const IniFile& ini) {
    static QtPrinters fallback;
    static QtUserPort port;
    const auto& printers = print_context().printers;
    return DocumentPrinter{db,
                           print_context().port ? *print_context().port : port,
                           ini,
                           printers ? *printers : fallback,
                           db.clock().XTIME(),
                           [owner](services::PrinterFunction& job, const std::string& name) {
                               return START_DOC(owner, job, name);
                           },
                           [owner](services::PrinterFunction& job) { RESETPRINT(owner, job); },
                           [owner](services::PrinterFunction& job) {
                               return SETUPPRINTER(job, 1, false, owner).has_value();
                           }};
}

}  // namespace qz::gui
