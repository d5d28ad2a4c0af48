#pragma once
// The card terminals' commands under "Archivo › Mantenimientos › Credit Card Interfaces":
// "Configuración de Estaciones" (6190), "Asignación Estación a PC" (6194), the closings
// "Cierre Banco Nacional Costa Rica" (6195), "Pre-Cierre Credomatic" (6196) and "Cierre
// Credomatic" (6197), and the log of the attempts sent to the terminals (6198).
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdCardStations = 6190, kCmdCardStationOfPc = 6194,
                     kCmdCardClosingPosware = 6195, kCmdCardPreClosingCredomatic = 6196,
                     kCmdCardClosingCredomatic = 6197, kCmdCardLog = 6198;

void register_card_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
