#pragma once
// The small modal windows of the tenders (room selection, signature): content built on
// opening, "Aceptar" running the caller's check-and-take, "Cancelar" leaving.
#include <functional>
#include <string>

class QVBoxLayout;
class QWidget;

namespace qz::gui {

class DIALOG_BOX;

struct OkDialog {
    std::string name;  // the dialog template name
    std::string caption;
    int width = 560, height = 380;
    // Fills the window above the buttons.
    std::function<void(DIALOG_BOX& self, QVBoxLayout& layout)> build;
    // "Aceptar": ends the dialog itself (EndDialog(kCmdOk)) when what was given is good.
    std::function<void(DIALOG_BOX& self)> accept;
};

// Runs it modally; the result it ended with.
int run_ok_dialog(QWidget* owner, const OkDialog& d);

}  // namespace qz::gui
