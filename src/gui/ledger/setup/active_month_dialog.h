#pragma once
// "Meses Activos Módulos": the active month and year of the receivables module and whether a
// document dated outside them is refused or only asked about.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

// True when saved.
bool edit_active_month(QWidget* owner, data::Db& db, const std::string& business);

namespace active_month_form {
enum : int { kMonth = 101, kYear, kEnforced };
}

}  // namespace qz::gui
