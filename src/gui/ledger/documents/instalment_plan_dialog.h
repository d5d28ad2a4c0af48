#pragma once
// ED2_DOC "Modificación de Plazos": a document's instalment plan in a grid of due date,
// principal, interest and total. The viewer opens it; the rules and the save are those of
// domain::PlanEditor (domain/ledger/instalment_plan.h), and every message goes through `port`.
#include <string>

#include "core/user_port.h"
#include "data/db.h"

class QWidget;

namespace qz::gui {

// Edits the plan of `document`; true when it was saved.
bool ED2_DOC(QWidget* owner, data::Db& db, UserPort& port, const std::string& business,
             const std::string& document);

// Control ids (their objectName) and the grid's columns, for the tests.
namespace ed2_doc {
enum : int { kGrid = 500, kAdd = 201, kDelete = 203, kDocument = 101, kTotals = 102 };
enum : int { kDueCol, kPrincipalCol, kInterestCol, kTotalCol };
}  // namespace ed2_doc

}  // namespace qz::gui
