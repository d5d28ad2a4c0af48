#pragma once
// "Cuentas por Cobrar › Documentos › Conceptos de Documentos" (6514) and the "Editar"
// operations of its window.
namespace qz::gui {

class Principal;
struct AppContext;

void register_concept_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
