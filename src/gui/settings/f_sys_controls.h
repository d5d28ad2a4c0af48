#pragma once
// The controls of the F_SYS settings dialogs, made from the domain's field lists: a masked edit
// for a number (typed through the field's mask), a check box, or a text. Each control is named
// after its field, since the settings fields have no control ids of their own.
#include <string>
#include <vector>

#include "domain/session/settings_store.h"

class QWidget;

namespace qz::gui {

// The control of `field` holding its stored value; null when the installation's table lacks the
// field (it has no value), so the dialog leaves it out. `fonts`, when given, turns a text into a
// font chooser that still accepts any name typed.
QWidget* make_f_sys_control(QWidget* parent, const domain::FSysField& field,
                            const domain::FSysValues& stored,
                            const std::vector<std::string>* fonts = nullptr);

// Reads back every control of `fields` found in `dialog`. A number that does not read keeps the
// focus after the edit's own message, and false is returned.
bool read_f_sys_controls(QWidget& dialog, const std::vector<domain::FSysField>& fields,
                         domain::FSysValues& out);

}  // namespace qz::gui
