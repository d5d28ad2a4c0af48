#pragma once
// What the point-of-sale screen was opened to make, and what follows from it.
#include <string>

namespace qz::domain::pos {

enum class SaleKind { Invoice = 1, Order = 2, Proforma = 3, WorkOrder = 5, Spa = 6 };

// How the sale came about (source mode): an invoice made from an order (3), an order made from a
// proforma (4), an invoice made from a proforma (5); anything else is a new document.
inline constexpr int kInvoiceFromOrder = 3;
inline constexpr int kOrderFromProforma = 4;
inline constexpr int kInvoiceFromProforma = 5;

struct SaleMode {
    SaleKind kind = SaleKind::Invoice;
    int source_mode = 0;
    std::string source_document;  // blank for a new sale

    // Register checks, the tender prompt and invoice numbering apply only to these.
    bool invoice_like() const;
    // Save-to-order and save-to-proforma make sense only for a new plain invoice.
    bool can_save_elsewhere() const;
    // The window title; blank keeps the layout's own.
    std::string title() const;
};

// The buttons a register may disable, in the order of its BLOQUEO1..BLOQUEO9 flags.
enum class SaleButton {
    Attention,
    Discounts,
    Freight,
    Tenders,
    ArticleTexts,
    PaymentConditions,
    SaveToOrder,
    SaveToProforma,
    CustomerData,
};
inline constexpr int kSaleButtons = 9;

}  // namespace qz::domain::pos
