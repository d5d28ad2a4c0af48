#pragma once
// The document commands of "Cuentas por Cobrar › Documentos": "Anulación de Documentos" (6519)
// and "Anulación de Factura en Blanco" (6564).
namespace qz::gui {

class Principal;
struct AppContext;

void register_document_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
