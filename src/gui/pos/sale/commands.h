#pragma once
// The point of sale's command of "Spa": "Punto de Venta" (6645) opens the sale screen for an
// invoice.
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdPointOfSale = 6645;

void register_sale_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
