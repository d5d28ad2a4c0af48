#pragma once
// The cash registers' screens: "Definición de Cajas" (registers with their shifts),
// "Autorización Cajas x Estación", the front desk's register screen (HCAJAS2) with its cash
// count (HCAJAS5), and the waiters' shifts.
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

class WDIAG;

// Control ids of "Definición de Cajas".
inline constexpr int kCajasGrid = 500, kCajasShifts = 501, kCajasAdd = 201, kCajasModify = 202,
                     kCajasDelete = 203, kShiftAdd = 204, kShiftModify = 205, kShiftDelete = 206,
                     kPrintClosing = 207;
// Fields of the shift form.
inline constexpr int kShiftStartDate = 701, kShiftStartTime = 702, kShiftEndDate = 703,
                     kShiftEndTime = 704, kShiftFund = 705;

class RegisterScreen;
WDIAG* open_register_screen(QWidget* owner, data::Db& db, const std::string& business);
// The "Editar" operations of context 2788 on the active screen (nothing when it is another).
void register_screen_operation(QWidget* screen, const std::string& operation);

// Which registers this workstation may operate (AUT_CAJA and HDEF_CAJA keys of QUARTZEN.INI).
void open_station_authorisation(QWidget* owner, data::Db& db, const std::string& business,
                                IniFile& ini);

// Control ids of HCAJAS2.
inline constexpr int kHGrid = 500, kHOpen = 201, kHClose = 202, kHReopen = 203, kHSupervisor = 204,
                     kHCount = 205, kHPrint = 206;
WDIAG* open_front_desk_screen(QWidget* owner, data::Db& db, domain::Session& session,
                              const IniFile* ini);
// The cash count of the workstation's running front-desk shift.
void run_cash_count(QWidget* owner, data::Db& db, domain::Session& session);

// Control ids of the waiters' shift screen.
inline constexpr int kWaiterChoice = 500, kWaiterCode = 501, kWaiterOpen = 201, kWaiterClose = 202;
WDIAG* open_waiter_screen(QWidget* owner, data::Db& db, const std::string& business);

}  // namespace qz::gui
