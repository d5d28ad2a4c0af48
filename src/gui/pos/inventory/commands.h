#pragma once
// The inventory's commands of "Servicios Adicionales › Inventario": warehouses (6460), stock per
// warehouse (6461), inventory concepts (6462), a receipt or adjustment typed by hand (6463) and
// the movements by date (6464).
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdWarehouses = 6460, kCmdStock = 6461, kCmdInventoryConcepts = 6462,
                     kCmdManualMovement = 6463, kCmdInventoryMovements = 6464;

void register_inventory_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
