#pragma once
// The customer editor's small dialogs: the classification (DEFCCLIE), the status history
// (EST_CLI), a branch's managers (MODIGERENTE) and its credit guarantee (E_CLIEN3).
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/customers/customer_rows.h"

class QWidget;

namespace qz::gui {

// The CLAS_CLI code chosen with "Aceptar"; nothing on "Cancelar" or without a choice.
std::optional<std::string> choose_classification(QWidget* owner, data::Db& db,
                                                 const std::string& business,
                                                 const std::string& current);
void show_status_history(QWidget* owner, data::Db& db, const std::string& business,
                         const std::string& code);
// Edit the branch in the editor's form; nothing is written until the customer is saved.
bool edit_branch_managers(QWidget* owner, domain::customers::Branch& branch);
bool edit_branch_guarantee(QWidget* owner, domain::customers::Branch& branch);

enum CustomerDialogField {
    kDlgClass = 601,
    kDlgGeneral,
    kDlgFinancial,
    kDlgPresident,
    kDlgGuaranteeType,
    kDlgGuaranteeDoc,
    kDlgGuaranteeNotes,
    kDlgHistory
};

}  // namespace qz::gui
