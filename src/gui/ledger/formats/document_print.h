#pragma once
// Printing a document through its concept (xPRINT_DOC): every print binding of the concept for
// the document's currency and the requested type prints on its shared printer, N_COPIA copies,
// through its page format or as a ticket. The job's platform (device, preview, printer dialog)
// comes in through DocumentPrinter, so the choice of bindings, printers and layouts is tested
// with fakes and page texts.
#include <functional>
#include <string>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/print_bindings.h"
#include "domain/ledger/print_formats.h"
#include "domain/ledger/printable_document.h"
#include "services/print/printer_function.h"
#include "services/print/printer_profiles.h"

namespace qz::gui {

struct DocumentPrintRequest {
    std::string business, number;
    int doc_type = 0;             // TIPO_DOC of the bindings to print
    bool preview = false;         // pages to the preview instead of the printer
    bool check_only = false;      // only validate every binding's printer
    bool choose_printer = false;  // the user may change each binding's printer
    std::string extra_text;       // printed where the format places TEXTO_EXT
};

// What printing needs from the session and the platform.
struct DocumentPrinter {
    data::Db& db;
    UserPort& port;
    const IniFile& ini;
    const services::PrinterPort& printers;
    std::string now;  // "HH:MM:SS": picks a shared printer's time slot
    // Opens the job (device, measurement, progress); false when it could not start.
    std::function<bool(services::PrinterFunction&, const std::string& name)> start;
    // Closes the job: ends it, or shows its preview.
    std::function<void(services::PrinterFunction&)> finish;
    // The printer dialog for the choose-printer flag; false when the user cancels.
    std::function<bool(services::PrinterFunction&)> choose;
};

// Puts the shared printer `code` of the business on the job ("" or "LC": the workstation's
// default printer); false when the platform does not know the printer.
bool assign_printer(DocumentPrinter& p, services::PrinterFunction& job, const std::string& business,
                    const std::string& code);

// The windows printer a shared printer code means on this workstation ("LC": its default).
std::string shared_printer_name(const DocumentPrinter& p, const std::string& business,
                                const std::string& code);

// Prints (or checks) the document; false when it refused (the user was told why) or the
// user cancelled. In check-only mode true means every printer is valid.
bool xPRINT_DOC(DocumentPrinter& p, const DocumentPrintRequest& r);

// One document through one format, on the printer the job already has (or its preview): the
// test page of the designer, a receipt, a document printed from the designer. False when the
// job could not start.
bool print_through_format(DocumentPrinter& p, services::PrinterFunction& job,
                          const domain::PrintFormat& f, const domain::PrintableDocument& doc,
                          const std::string& job_name);

inline constexpr const char* kConceptMissing = "Concepto de Documento no encontrado: ";
inline constexpr const char* kBadPrinter = "La impresora definida por Windows no es válida: ";

}  // namespace qz::gui
