#pragma once
// What print jobs of the GUI take from the running session: the environment of the job (print
// face, grey boxes, logo, temporary folder, stamp), the installed printers, the workbook writer,
// where the "Cuadros Grises" choice is kept, and the device a job prints on. The main window
// fills it when the session starts; tests put fakes in it.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "core/user_port.h"
#include "services/print/printer_function.h"
#include "services/print/printer_profiles.h"

namespace qz::gui {

// Always offered after the installed printers: the job becomes a PDF file in the session's
// temporary folder, opened with the desktop's viewer. A workstation without any printer can
// still preview and keep a printout.
inline const std::string kPdfFilePrinter = "Archivo PDF";

struct PrintContext {
    std::function<services::PrintEnvironment()> environment;
    std::shared_ptr<services::PrinterPort> printers;
    services::ExcelSinkFactory excel_factory;
    std::function<void(int)> store_grayed;   // XGRAYED chosen in the printer dialog
    services::DeviceFactory device_factory;  // default: the Qt printer or PDF file
    UserPort* port = nullptr;
    // Opens a finished workbook or PDF; the desktop's program when not set.
    std::function<void(const std::filesystem::path&)> open_file;
};

PrintContext& print_context();

// The printers Qt knows (CUPS), in the order it lists them.
class QtPrinters : public services::PrinterPort {
public:
    std::vector<std::string> installed() const override;
    std::string default_printer() const override;
    bool is_remote(const std::string& name) const override;
};

}  // namespace qz::gui
