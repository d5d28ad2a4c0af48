#pragma once
// The spa's maintenance commands of "Servicios Adicionales": "Parámetros Generales" (6427),
// "Definición de Salas" (6416), "Definición de Agentes" (2831) and what the spa sells:
// services (6450), sub-lines (6451), price types (6452), price lists (6453) and customers'
// special prices (6454); with the "Editar" operations of the rooms and agents screens.
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdSpaServices = 6450, kCmdSpaSublines = 6451, kCmdSpaPriceTypes = 6452,
                     kCmdSpaPriceLists = 6453, kCmdSpaSpecialPrices = 6454;

void register_spa_master_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
