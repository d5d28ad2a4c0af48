#pragma once
// The mail commands of the "&Archivo" menu: "Parámetros Globales" (2987) and
// "Log Envío de emails" (6282).
namespace qz::gui {

class Principal;
struct AppContext;

void register_mail_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
