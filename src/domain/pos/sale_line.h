#pragma once
// One line of the sale on screen (a row of EDIT2) and what the lines add up to. The grid always
// ends with one empty row; a row without a code is unused and counts nowhere.
#include <string>
#include <vector>

#include "core/decimal.h"

namespace qz::domain::pos {

struct SaleLine {
    std::string code;             // CODIGO
    std::string description;      // DESCRIP
    Decimal price;                // PRECIO: unit price before tax, in the sale's currency
    Decimal first_price;          // PRECIO_INV: the price first proposed, kept as the previous one
    Decimal quantity;             // CANTIDAD
    Decimal discount;             // DESCUENTO, percent
    Decimal tax;                  // IMP_ART: percent applied
    Decimal own_tax;              // SAVE_IMP: the article's own, restored after an exemption
    Decimal total;                // PRECIO_TOT
    std::string price_type;       // T_PRECIO
    bool price_editable = false;  // LEE_PRECIO
    bool manual = false;          // PRE_MANUAL: the cashier typed the price
    bool manual2 = false;         // PRE_MAN2
    int special_rule = 0;         // P_ESP: the special-price rule that gave the price
    bool has_list_price = false;  // a list or special price was found for it
    Decimal cost;                 // COSTO: average cost
    Decimal freight, load;        // FLETE, CARGA
    std::string invoice_text;     // SPEC_FAC
    std::string supplier, supplier_name;  // COD_PROVEE, NOM_PROVEE
    std::string source_document;          // DOCUMENTO: brought from another document
    bool priced = false;                  // FIRST "S"

    bool empty() const;
};

// What a line adds to the sale's running figures.
struct SaleFigures {
    Decimal invoiced;  // FACTURADO: Σ line totals
    Decimal subtotal;  // Σ quantity × price, each rounded
    Decimal tax;       // Σ tax of the discounted lines, each rounded
    Decimal freight;   // OTROS[1]
    Decimal load;      // OTROS[2]
    Decimal others() const { return freight + load; }
    SaleFigures& operator+=(const SaleFigures& o);
    SaleFigures& operator-=(const SaleFigures& o);
    bool operator==(const SaleFigures&) const = default;
};

// How freight and load columns count (F_FAC DET_OTROS, CANT_FLETE).
struct OtherCharges {
    bool shown = false;
    bool per_unit = false;
};

// The line's share of the figures; nothing for an unused row. PRECIO_TOT is set from the same
// arithmetic so that the line and the figures never disagree.
SaleFigures line_share(SaleLine& line, const OtherCharges& others);

// The line's figures added from scratch: what RESTA_ART and SUMA_ART keep up one line at a time.
SaleFigures sum_lines(std::vector<SaleLine>& lines, const OtherCharges& others);

// The refusal of a discount above the authorised one: "El Descuento es mayor al autorizado.
// Artículo: " + code + ":" + description.
std::string discount_refusal(const std::string& code, const std::string& description);

}  // namespace qz::domain::pos
