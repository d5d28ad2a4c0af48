#include "domain/pos/sale_kind.h"

#include "core/text.h"

namespace qz::domain::pos {

bool SaleMode::invoice_like() const {
    return kind == SaleKind::Invoice || source_mode == kInvoiceFromOrder ||
           source_mode == kInvoiceFromProforma;
}

bool SaleMode::can_save_elsewhere() const {
    return kind == SaleKind::Invoice && trim(source_document).empty();
}

std::string SaleMode::title() const {
    switch (kind) {
        case SaleKind::Order:
            return source_mode == kInvoiceFromOrder ? "" : "Creación de Pedidos";
        case SaleKind::Proforma:
            if (source_mode == kOrderFromProforma) return "Creación de Pedidos";
            return source_mode == kInvoiceFromProforma ? "" : "Creación de Proformas";
        case SaleKind::WorkOrder:
            return "Facturación de Orden de Trabajo";
        case SaleKind::Spa:
            return "Facturación de Servicio Spa";
        default:
            return "";
    }
}

}  // namespace qz::domain::pos
