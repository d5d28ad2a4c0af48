#pragma once
// The application's look: Fusion style, one calm palette from the interface colours of the
// settings, and the Spanish texts of Qt's standard buttons.
#include <array>

class QApplication;

namespace qz::gui {

void apply_look(QApplication& app, const std::array<int, 3>& window_rgb,
                const std::array<int, 3>& highlight_rgb);
// Loads qtbase_es so standard buttons read "Aceptar", "Cancelar"; false when it is missing.
bool load_spanish(QApplication& app);

}  // namespace qz::gui
