#include "gui/ledger/formats/document_print.h"

#include <algorithm>

#include "core/text.h"
#include "gui/ledger/formats/format_layout.h"
#include "gui/ledger/formats/ticket_layout.h"
#include "services/print/predet_store.h"

namespace qz::gui {

namespace {

using services::PrinterFunction;

void tell(DocumentPrinter& p, MsgStyle style, const std::string& text) {
    p.port.message(style, style == MsgStyle::Error ? "Error" : "Atencion", text);
}

std::vector<domain::PrintBinding> bindings_for(DocumentPrinter& p, const DocumentPrintRequest& r,
                                               const domain::PrintableDocument& doc) {
    std::vector<domain::PrintBinding> out;
    for (auto& b : domain::read_print_bindings(p.db, r.business, doc.concept_code))
        if (b.currency == doc.currency && b.doc_type == r.doc_type) out.push_back(std::move(b));
    return out;
}

std::string invalid_printer_text(DocumentPrinter& p, const std::string& business,
                                 const std::string& code, const std::string& name) {
    std::string description;
    if (auto row = services::find_predet(p.db, business, code)) description = trim(row->DESCRIP);
    return kBadPrinter + name + "\r" + "Código Impresora Compartida: " + code + " " + description;
}

bool check_printers(DocumentPrinter& p, const DocumentPrintRequest& r,
                    const std::vector<domain::PrintBinding>& bindings) {
    for (const auto& b : bindings) {
        PrinterFunction job;
        if (!assign_printer(p, job, r.business, b.printer)) {
            tell(p, MsgStyle::Error,
                 invalid_printer_text(p, r.business, b.printer, job.b_cSelPrinter));
            return false;
        }
    }
    return true;
}

// Draws the document the binding's way on the open job.
void lay_out(DocumentPrinter& p, PrinterFunction& job, const DocumentPrintRequest& r,
             const domain::PrintBinding& b, const domain::PrintableDocument& doc,
             const domain::ConceptPrintTexts& texts) {
    const auto format = domain::load_format(p.db, r.business, b.format);
    if (b.ticket != 0) {
        draw_ticket(job, texts, doc, format ? static_cast<int>(format->columns) : 40);
    } else if (format) {
        draw_format(job, *format, doc);
    }
}

bool print_binding(DocumentPrinter& p, const DocumentPrintRequest& r, const domain::PrintBinding& b,
                   const domain::PrintableDocument& doc, const domain::ConceptPrintTexts& texts) {
    if (b.ticket == 0 && !domain::load_format(p.db, r.business, b.format)) {
        tell(p, MsgStyle::Error,
             "El Formato de Impresión " + b.format + " del Concepto " + texts.code +
                 " no está definido...");
        return false;
    }
    PrinterFunction job;
    const bool valid = assign_printer(p, job, r.business, b.printer);
    if (r.choose_printer && p.choose && !p.choose(job)) return false;
    if (!valid && !r.choose_printer && !r.preview) {
        tell(p, MsgStyle::Error, invalid_printer_text(p, r.business, b.printer, job.b_cSelPrinter));
        return false;
    }
    if (r.preview) job.T_Print = "META";
    job.nCopies = std::max(1, b.copies);
    if (!p.start(job, texts.name + " " + doc.number)) {
        p.finish(job);
        return false;
    }
    lay_out(p, job, r, b, doc, texts);
    services::END_PAGE(job, false);
    p.finish(job);
    return true;
}

}  // namespace

bool assign_printer(DocumentPrinter& p, PrinterFunction& job, const std::string& business,
                    const std::string& code) {
    if (code.empty() || code == services::kLocalPrinterProfile)
        return services::ASSIGNPRINTER(job, p.printers, p.printers.default_printer());
    return services::SET_PREDET_INFO(p.ini, p.printers, business, code, job, p.now, 0).result == 1;
}

std::string shared_printer_name(const DocumentPrinter& p, const std::string& business,
                                const std::string& code) {
    if (code.empty() || code == services::kLocalPrinterProfile) return p.printers.default_printer();
    return services::read_profile_keys(p.ini, business, code).printer;
}

bool xPRINT_DOC(DocumentPrinter& p, const DocumentPrintRequest& r) {
    auto doc = domain::read_printable_document(p.db, r.business, r.number);
    if (!doc) {
        tell(p, MsgStyle::Error, "Documento no encontrado: " + trim(r.number));
        return false;
    }
    const auto texts = domain::read_concept_print_texts(p.db, r.business, doc->concept_code);
    if (!texts) {
        tell(p, MsgStyle::Error, kConceptMissing + doc->concept_code);
        return false;
    }
    const auto bindings = bindings_for(p, r, *doc);
    if (bindings.empty()) {
        tell(p, MsgStyle::Atencion,
             "El Concepto de Documento " + doc->concept_code + " " + texts->name +
                 " no tiene formato de impresión para la moneda " + doc->currency + " (tipo " +
                 std::to_string(r.doc_type) + "): no se imprimió el documento " + doc->number +
                 ".");
        return false;
    }
    if (r.check_only) return check_printers(p, r, bindings);
    doc->header["TEXTO_EXT"] = domain::PrintValue{domain::PrintValue::Kind::Text, r.extra_text};
    bool printed = true;
    for (const auto& b : bindings) printed = print_binding(p, r, b, *doc, *texts) && printed;
    return printed;
}

bool print_through_format(DocumentPrinter& p, PrinterFunction& job, const domain::PrintFormat& f,
                          const domain::PrintableDocument& doc, const std::string& job_name) {
    if (!p.start(job, job_name)) {
        p.finish(job);
        return false;
    }
    draw_format(job, f, doc);
    services::END_PAGE(job, false);
    p.finish(job);
    return true;
}

}  // namespace qz::gui
