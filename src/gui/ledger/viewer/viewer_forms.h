#pragma once
// The small forms of the document viewer's operations. Each is filled from the document, hands
// what was typed to the domain rule (which tells its own refusals) and closes once it saved;
// true when something was written.
#include <string>
#include <vector>

#include "domain/ledger/document_viewer.h"
#include "gui/ledger/viewer/document_viewer.h"

class QWidget;

namespace qz::gui {

bool branch_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
// MOV_DIFF.
bool diff_type_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
bool labels_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
bool agent_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
// The number twice (old, read only, and new) and the concepts.
bool recode_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
// MOV_CLIENTE: the target customer typed or chosen from the list, and one of its branches.
bool customer_move_dialog(QWidget* owner, const ViewerDesk& desk,
                          const std::vector<std::string>& documents);
// MOD_DOC: balance, instalment and interest typed; "Agregar Abono" opens MOD_DOC2.
bool repair_dialog(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);
// MOD_DOC2: block, currency, receipt number (for blocks typed by hand), payment concept, date,
// amount and comment.
bool manual_receipt_form(QWidget* owner, const ViewerDesk& desk, const domain::ViewedDocument& doc);

enum ViewerFormField {
    kFormBranch = 601,
    kFormDiffType = 602,
    kFormDescription = 603,
    kFormClas1 = 604,
    kFormClas2 = 605,
    kFormClas3 = 606,
    kFormAgent = 607,
    kFormOldNumber = 608,
    kFormNewNumber = 609,
    kFormConcept = 610,
    kMoveCustomer = 611,
    kMoveChoose = 612,
    kMoveName = 613,
    kMoveBranch = 614,
    kModBalance = 621,
    kModInstalment = 622,
    kModInterest = 623,
    kModAddPayment = 624,
    kRcpBlock = 631,
    kRcpCurrency = 632,
    kRcpNumber = 633,
    kRcpConcept = 634,
    kRcpDate = 635,
    kRcpAmount = 636,
    kRcpDescription = 637,
};

}  // namespace qz::gui
