#pragma once
// The return notes' commands: "Notas de Devolución" (6670) of "Servicios Adicionales" › "Cajas",
// and the document viewer's "Crear Nota de Devolución" (6672), a note returning the articles of
// the document on the viewer's row.
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdReturnFromDocument = 6672;

void register_return_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
