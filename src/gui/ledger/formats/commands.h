#pragma once
// The print formats' commands: "Cuentas por Cobrar › Documentos › Formatos de Impresión" (6515)
// and its "Editar" operations (add, modify, delete, design).
namespace qz::gui {

class Principal;
struct AppContext;

void register_format_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
