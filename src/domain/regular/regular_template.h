#pragma once
// PASAFAC2: a regular invoice built from a template.
//
// A template is a model kept once for many customers: ENC_TMPL (header) numbered by the
// template's code, DET_TMPL (lines) and TF_PLAZO (instalments, days after the document's date),
// laid out as a regular document's own model. The regular documents that use it have TIPO 1
// and TEMPLATE = that code; a template chosen in the generation dialog is used for every
// document of the run instead.
//
// The template gives the document what a product or a contract decides: the concept (hence the
// series, the term and the accounts), the currency, the warehouse, the agent, the price type,
// the lines with their prices, taxes, discounts and costs, the freight and load and the
// instalment plan. The regular document gives what belongs to the customer: the customer and
// branch (and through them the name on the document), the cut-off, the date rules, the billed
// period and the extra data that scale the quantities. A template's own CLIENTE, SUBCLIENTE and
// NOM_CLIENT are ignored, so one template serves any customer.
//
// Everything after the choice of the model is what PASAFAC1 does: the cut-off check and
// advance, the date, the period text, the lines scaled by HORAS and DIAS (and the emissions of a
// customer run), stock, journal and the instalments, committed with the new cut-off. A template
// that does not exist is told ("No se encuentra la plantilla: " + code) and the document is not
// generated.
#include <optional>

#include "domain/regular/regular_writer.h"

namespace qz::domain::regular {

std::optional<GeneratedDocument> PASAFAC2(Generation& g, const RegularDocument& d);

}  // namespace qz::domain::regular
