#pragma once
// "Conceptos de Depósito": the list of the business's deposit concepts (CON_HLIB) with the form
// that adds or changes one (E_CON_HLIB). Every rule is the domain's
// (domain/deposits/deposit_concepts.h); the form only turns fields into the struct.
#include <string>

#include "data/db.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

inline constexpr int kCmdDepositConcepts = 6700;

MasterListScreen* open_deposit_concepts(QWidget* owner, data::Db& db, const std::string& business);

// The form fields' ids (their objectName), for the tests.
namespace deposit_concept_form {
enum : int {
    kCode = 101,
    kName,
    kSeries,
    kKind,
    kSide,
    kAppliesAll,
    kNotAbove,
    kChangesType,
    kNewType,
    kVisible,
    kCardProvider,
    kPrints,
    kBank,
    kAccount,
    kBookConcept
};
}  // namespace deposit_concept_form

}  // namespace qz::gui
