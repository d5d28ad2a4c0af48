#pragma once
// The payment commands of "Cuentas por Cobrar › Pagos": "Registro de Abonos" (6509) and
// "Anulación de Movimientos" (6517).
namespace qz::gui {

class Principal;
struct AppContext;

void register_payment_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
