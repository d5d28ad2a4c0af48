#include "gui/print/print_context.h"

#include <QPrinterInfo>

namespace qz::gui {

PrintContext& print_context() {
    static PrintContext context;
    if (!context.printers) context.printers = std::make_shared<QtPrinters>();
    return context;
}

std::vector<std::string> QtPrinters::installed() const {
    std::vector<std::string> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames()) names.push_back(n.toStdString());
    names.push_back(kPdfFilePrinter);
    return names;
}

std::string QtPrinters::default_printer() const {
    const std::string name = QPrinterInfo::defaultPrinterName().toStdString();
    return name.empty() ? kPdfFilePrinter : name;
}

bool QtPrinters::is_remote(const std::string& name) const {
    return QPrinterInfo::printerInfo(QString::fromStdString(name)).isRemote();
}

}  // namespace qz::gui
