#pragma once
// "Comprobante de Facturas Entregadas a Cobrador": the documents of one forward move, one line
// each, with the collector's signature line under the closing rule.
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/collections/collection_stages.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

void draw_collection_receipt(services::PrinterFunction& job,
                             const std::vector<domain::HandedDocument>& handed);

// Asks for the printer and prints; false when the user cancelled.
bool print_collection_receipt(QWidget* owner, const std::string& collector,
                              const std::vector<domain::HandedDocument>& handed);

inline constexpr const char* kCollectorSignature =
    "Firma del Cobrador: ___________________________";

}  // namespace qz::gui
