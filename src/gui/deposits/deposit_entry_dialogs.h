#pragma once
// The two grids of the deposit screen, as modal dialogs over its form: the accounting
// counterpart (DEP_HOT2) and the reservation room lines the deposit goes to (DEP_HOT3). Both
// change the form's draft as they are typed, as the screen's work tables did.
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/deposits/deposit_form.h"

class QWidget;

namespace qz::gui {

void run_counterpart_dialog(QWidget* owner, domain::DepositForm& form,
                            const std::vector<domain::CodeName>& accounts);
void run_reservation_lines_dialog(QWidget* owner, data::Db& db, const std::string& business,
                                  domain::DepositForm& form);

// Control ids (their objectName) and grid columns.
namespace counterpart_dialog {
enum : int { kAccount = 601, kAddLine, kDeleteLine, kLines };
enum Column : int { kAccountCol, kNameCol, kDebitCol, kCreditCol, kDebitPctCol, kCreditPctCol };
}  // namespace counterpart_dialog

namespace reservation_dialog {
enum : int { kReservation = 701, kRoomLine, kLineAmount, kAddLine, kDeleteLine, kLines };
enum Column : int { kReservationCol, kRoomTypeCol, kItemCol, kRoomCol, kGuestCol, kAmountCol };
}  // namespace reservation_dialog

}  // namespace qz::gui
