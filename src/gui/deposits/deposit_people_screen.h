#pragma once
// "Personas que Depositan": the list of the people who bring deposits (HECHOPOR) with the form
// that adds or changes one (E_HECHOPOR). The rules are the domain's
// (domain/deposits/deposit_people.h).
#include <string>

#include "data/db.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

inline constexpr int kCmdDepositPeople = 6706;

MasterListScreen* open_deposit_people(QWidget* owner, data::Db& db, const std::string& business);

// The form fields' ids (their objectName), for the tests.
namespace deposit_person_form {
enum : int { kCode = 101, kName };
}  // namespace deposit_person_form

}  // namespace qz::gui
