#pragma once
// The regular invoices' commands under "Cuentas por Cobrar › Facturas Regulares": the generation
// (6680), and the customer list's "Generar Documentos" (CREA_DOCS), which opens the generation
// for the chosen customer and branch.
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdRegularGeneration = 6680;

void register_regular_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
