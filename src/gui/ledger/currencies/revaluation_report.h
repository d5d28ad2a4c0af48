#pragma once
// "Actualización de Diferencial Cambiario" (DIFE_CAM): the dialog that asks for the currency,
// the days and the rate, and the listing drawn on the print engine.
#include "domain/ledger/revaluation.h"
#include "services/print/printer_function.h"

namespace qz::gui {

inline constexpr int kRevCurrency = 101, kRevFrom = 102, kRevTo = 103, kRevRate = 104;

// Draws the listing on an open job; `currency` names the currency in the heading.
void draw_revaluation(services::PrinterFunction& job, const domain::RevaluationListing& listing,
                      const std::string& currency);

}  // namespace qz::gui
