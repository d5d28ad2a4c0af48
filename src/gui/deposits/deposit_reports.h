#pragma once
// The deposit listings: "Depósitos por Fecha" (REP_DEP, 6708), "Depósitos por Reservación"
// (REP_DEP2, 6709) and "Depósitos Pendientes de Aplicar" (REP_DEP3, 6710). Each asks what to
// list in a small dialog, then goes through the print engine (preview, printer, PDF, workbook).
#include <string>

#include "core/clock.h"
#include "data/db.h"
#include "domain/deposits/deposit_listings.h"
#include "services/print/printer_function.h"

class QWidget;

namespace qz::gui {

inline constexpr int kCmdDepositsByDate = 6708, kCmdDepositsByReservation = 6709,
                     kCmdPendingDeposits = 6710;

// Control ids of the parameter dialogs.
inline constexpr int kRepDepFrom = 101, kRepDepTo = 102, kRepDepReservation = 103;

void open_deposits_by_date(QWidget* owner, data::Db& db, const std::string& business,
                           const Clock& clock);
void open_deposits_by_reservation(QWidget* owner, data::Db& db, const std::string& business);
void open_pending_deposits(QWidget* owner, data::Db& db, const std::string& business);

// Draw a listing on an open job.
void draw_deposit_listing(services::PrinterFunction& job, const domain::DepositListing& l);
void draw_reservation_deposits(services::PrinterFunction& job,
                               const domain::ReservationDepositListing& l);

}  // namespace qz::gui
