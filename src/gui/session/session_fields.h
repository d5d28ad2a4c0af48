#pragma once
// The pieces every session dialog is made of, so the login, the lock, the change of business and
// the password changes look and type alike: login names and passwords turn upper case as they are
// typed and are no longer than the user table keeps them, passwords never show, and the form
// rows and the button row have the same spacing everywhere.
#include <string>

class QBoxLayout;
class QFormLayout;
class QLabel;
class QWidget;

namespace qz::gui {

class DialogFrame;
class LR_MASKED;

// The login name field (USUARIOS.NOMBRE wide).
LR_MASKED* name_field(DialogFrame& dialog, QWidget* parent, int id);
// A password field (USUARIOS.PASSWORD wide), its echo hidden.
LR_MASKED* password_field(DialogFrame& dialog, QWidget* parent, int id);

// The rows of a session dialog: captions right-aligned before their fields.
QFormLayout* session_form();
// A line of explanation above the fields.
QLabel* note_label(const std::string& text, QWidget* parent);
// "Aceptar" (command 1, the default) and "Cancelar" (command 2), right-aligned under the form.
void add_dialog_buttons(DialogFrame& dialog, QWidget* parent, QBoxLayout* layout);

}  // namespace qz::gui
