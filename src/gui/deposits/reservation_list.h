#pragma once
// "Reservaciones del Hotel" (RES_HOTEL): the hotel's reservations, read only, with the room
// lines of the chosen one (and whether each guest has checked in, which decides whether a
// deposit can still be applied to the line) and the deposits already applied to it.
#include <string>

#include "data/db.h"
#include "data/table_ops.h"
#include "gui/framework/wdiag.h"

namespace qz::gui {

class WBLISTBOX;

inline constexpr int kCmdHotelReservations = 6701;

class ReservationListScreen : public WDIAG {
public:
    // `dlg_name` and `context_id` tell the list opened from the menu from the one the deposit
    // screen opens over the reservations it is applying to.
    ReservationListScreen(QWidget* owner, data::Db& db, std::string business,
                          const std::string& dlg_name = "RES_HOTEL",
                          int context_id = kCmdHotelReservations);

    bool Init() override;
    void CerrarBases() override;

    WBLISTBOX* reservations() const { return m_reservations; }
    WBLISTBOX* room_lines() const { return m_lines; }
    WBLISTBOX* deposits() const { return m_deposits; }

    // Control ids (their objectName).
    enum : int { kReservations = 500, kRoomLines = 501, kDeposits = 502 };

private:
    void build_reservations();
    QWidget* build_details();
    // The chosen reservation's code; "" when there is none.
    std::string chosen() const;
    // Keeps the two detail grids to the chosen reservation.
    void show_details();

    data::Db& m_db;
    std::string m_business;
    data::Table m_res_table, m_line_table, m_deposit_table;
    WBLISTBOX* m_reservations = nullptr;
    WBLISTBOX* m_lines = nullptr;
    WBLISTBOX* m_deposits = nullptr;
};

ReservationListScreen* open_hotel_reservations(QWidget* owner, data::Db& db,
                                               const std::string& business);
// The same list as the deposit screen shows it (DEP_HOT5).
ReservationListScreen* open_deposit_reservations(QWidget* owner, data::Db& db,
                                                 const std::string& business);

}  // namespace qz::gui
