#pragma once
// SHOW_COMPANY: screens that work on one business show its name (NEGOCIOS DESCRIP) in their
// control -100, so a user with several businesses open sees which one each screen is for.
#include <string>

namespace qz::data {
class Db;
}

namespace qz::gui {

class DialogFrame;

// The business's name; blank when the business is not on file.
std::string company_name(data::Db& db, const std::string& negocio);

// Writes the name into the dialog's control -100 (a label or an edit).
void SHOW_COMPANY(DialogFrame& dialog, data::Db& db, const std::string& negocio);

}  // namespace qz::gui
