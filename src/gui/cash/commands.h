#pragma once
// The cash registers' commands under "Servicios Adicionales › Cajas": "Definición de Cajas"
// (2839) with the "Editar" operations of its context (2788), "Autorización Cajas x Estación"
// (4098), the front desk's registers, the waiters' shifts and the preliminary cash closing of the
// workstation's register (6650); and the open register shown in
// the main window's status bar.
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdRegisters = 2839, kCmdStationAuth = 4098, kCmdFrontDesk = 6640,
                     kCmdWaiterShifts = 6641, kCmdClosing = 6650;

void register_cash_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
