#pragma once
// The sub-menu "Gestión de Cobro" of "Cuentas por Cobrar": "Facturas por Etapa de Cobro"
// (6720), "Etapas de Cobro" (6721), "Autorizadores de Cobro" (6722) and "Cobradores" (6723),
// the lists with their "Editar" operations.
namespace qz::gui {

class Principal;
struct AppContext;

void register_collection_stage_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
