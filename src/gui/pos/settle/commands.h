#pragma once
// The settling of earlier documents at a register: "Servicios Adicionales › Cajas ›
// Cancelación de Facturas" (6660).
namespace qz::gui {

class Principal;
struct AppContext;

void register_settle_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
