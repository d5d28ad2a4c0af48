#pragma once
// The number series' menu command: "Definición de Seriales" (2841) under "Archivo ›
// Mantenimientos".
namespace qz::gui {

class Principal;
struct AppContext;

inline constexpr int kCmdSeries = 2841;

void register_series_commands(Principal& w, AppContext& ctx);

}  // namespace qz::gui
