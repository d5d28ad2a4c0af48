#pragma once
// The workstation's settings commands of the "&Archivo" menu: "Tipo de Letra" (2152),
// "Base de Datos" (2539), "Fecha y Hora" (4660), "Cambio de Clave" (2904), and the window's
// "Acerca de" and "ADS Config." boxes.
namespace qz::gui {

class Principal;
struct AppContext;

void register_settings_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
