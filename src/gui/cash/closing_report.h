#pragma once
// The cash closing dialog (P_CIERRE) and the ways into it: the point-of-sale register close
// waits for it before asking for confirmation; the register definitions and the front desk
// print it for a shift, a running one giving a preliminary closing.
#include <string>

#include "data/db.h"
#include "domain/cash/closing.h"
#include "domain/cash/register_opening.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

// Control ids of P_CIERRE.
inline constexpr int kClosingDetail = 101, kClosingTicket = 102, kClosingPrint = 201,
                     kClosingSecond = 202;

// Opens P_CIERRE modal for the period (the owner is disabled until it closes). A register that
// does not exist is told and nothing opens.
void open_closing_dialog(QWidget* owner, data::Db& db, const domain::cash::ClosingRequest& r);

// The point-of-sale closing report: P_CIERRE for the shift being closed, up to its end.
domain::cash::ClosingReport closing_report_for(QWidget* owner, data::Db& db,
                                               const std::string& business);

// The shift's closing; a running one up to the business date and time.
void print_shift_closing(QWidget* owner, data::Db& db, const std::string& business,
                         const domain::cash::CashShift& shift,
                         const domain::cash::RegisterTables& family);

// "Cierre de Caja": the preliminary closing of the point-of-sale register open on this
// workstation, up to now.
void print_workstation_closing(QWidget* owner, data::Db& db, domain::Session& session);

}  // namespace qz::gui
