#include "gui/deposits/reservation_list.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "data/order_key.h"
#include "domain/deposits/hotel_reservations.h"
#include "gui/browse/add2browse.h"
#include "gui/browse/wblistbox.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;

constexpr const char* kMoney = "999,999,999.99";

WBLISTBOX* new_grid(WDIAG& screen, data::WDBTable& t, const std::string& name, int id) {
    auto* grid = new WBLISTBOX(&screen, t, name, id);
    screen.Add(grid, id);
    return grid;
}

void start(WBLISTBOX* grid, const std::string& scope) {
    BrowMarksOptions o;
    o.scope_start = scope;
    o.no_marks = true;
    o.no_refresh = true;
    grid->BrowMarks(std::move(o));
}

QGroupBox* boxed(QWidget* owner, const char* title, QWidget* grid) {
    auto* box = new QGroupBox(title, owner);
    (new QVBoxLayout(box))->addWidget(grid);
    return box;
}

}  // namespace

ReservationListScreen::ReservationListScreen(QWidget* owner, data::Db& db, std::string business,
                                             const std::string& dlg_name, int context_id)
    : WDIAG(owner, dlg_name, context_id, ScreenOptions{true, true}),
      m_db(db),
      m_business(std::move(business)) {}

bool ReservationListScreen::Init() {
    m_res_table = data::USE(m_db, "ENC_RES", "ENC_RES");
    m_line_table = data::USE(m_db, "DET_RES2", "DET_RES2");
    m_deposit_table = data::USE(m_db, "DET_RES8", "DET_RES8");
    auto* layout = new QVBoxLayout(this);
    build_reservations();
    layout->addWidget(boxed(this, "Reservaciones", m_reservations), 3);
    layout->addWidget(build_details(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
    layout->addLayout(buttons);
    Text("Reservaciones del Hotel");
    resize(1000, 620);
    Create();
    start(m_reservations, data::business_key(m_business));
    start(m_lines, "\x01");
    start(m_deposits, "\x01");
    show_details();
    m_reservations->Sel_Block = [this] { show_details(); };
    return true;
}

void ReservationListScreen::build_reservations() {
    data::WDBTable& t = *m_res_table;
    m_reservations = new_grid(*this, t, "RES_HOTEL_GRID", kReservations);
    AGREGARCOL(*m_reservations, t, "Reservación", "CODIGO");
    AGREGARCOL(*m_reservations, t, "Huésped", "NOMBRE");
    AGREGARCOL(*m_reservations, t, "Llegada", "ENTRADA");
    AGREGARCOL(*m_reservations, t, "Salida", "SALIDA");
    AGREGARCOL(*m_reservations, t, "Moneda", "MONEDA");
    AGREGARCOL(*m_reservations, t, "Total", "TOTAL", kMoney);
    AGREGARCOL(*m_reservations, t, "Total Alterno", "TOTAL4", kMoney);
    AGREGARCOL(*m_reservations, t, "Tipo", "TIPO");
    AGREGARCOL(*m_reservations, t, "Estado", "", "", [this] {
        const std::string code = trim(m_res_table->str("CODIGO"));
        return CellValue(
            dl::reservation_state_name(dl::reservation_room_lines(m_db, m_business, code)));
    });
}

QWidget* ReservationListScreen::build_details() {
    data::WDBTable& l = *m_line_table;
    m_lines = new_grid(*this, l, "RES_HOTEL_LINES", kRoomLines);
    AGREGARCOL(*m_lines, l, "Tipo Hab.", "COD_HAB");
    AGREGARCOL(*m_lines, l, "Línea", "ITEM_HAB", "9999");
    AGREGARCOL(*m_lines, l, "Habitación", "ROOM");
    AGREGARCOL(*m_lines, l, "Llegada", "ENTRADA");
    AGREGARCOL(*m_lines, l, "Salida", "SALIDA");
    AGREGARCOL(*m_lines, l, "Check-In", "", "", [this] {
        const int state = static_cast<int>(m_line_table->num("ESTADO").to_int());
        return CellValue(std::string(dl::checked_in(state) ? "Sí" : "No"));
    });
    AGREGARCOL(*m_lines, l, "Estado", "", "", [this] {
        return CellValue(
            dl::room_line_state_name(static_cast<int>(m_line_table->num("ESTADO").to_int())));
    });

    data::WDBTable& d = *m_deposit_table;
    m_deposits = new_grid(*this, d, "RES_HOTEL_DEPOSITS", kDeposits);
    AGREGARCOL(*m_deposits, d, "Tipo Hab.", "COD_HAB");
    AGREGARCOL(*m_deposits, d, "Línea", "ITEM_HAB", "9999");
    AGREGARCOL(*m_deposits, d, "Depósito", "MOVIMIENTO");
    AGREGARCOL(*m_deposits, d, "Documento", "DOC_PAGO");
    AGREGARCOL(*m_deposits, d, "Fecha", "FECHA_CREA");
    AGREGARCOL(*m_deposits, d, "Monto", "MONTO_PAGO", kMoney);

    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(boxed(row, "Habitaciones", m_lines), 1);
    h->addWidget(boxed(row, "Depósitos Aplicados", m_deposits), 1);
    return row;
}

void ReservationListScreen::CerrarBases() {
    for (auto* grid : {m_reservations, m_lines, m_deposits})
        if (grid) grid->DISABLE_BROWSE();
    for (auto* t : {&m_res_table, &m_line_table, &m_deposit_table})
        if (*t) data::KILLTABLA(m_db, *t);
}

std::string ReservationListScreen::chosen() const {
    const long recno = m_reservations->nCrecNo();
    if (recno <= 0) return "";
    m_res_table->GoTo(recno);
    return m_res_table->Eof() ? "" : trim(m_res_table->str("CODIGO"));
}

void ReservationListScreen::show_details() {
    // With no reservation chosen the detail grids show nothing rather than every reservation's.
    const std::string code = chosen();
    const std::string res = code.empty() ? "\x01" : code;
    m_lines->SET_SCOPE(data::order_key("DET_RES2", "DET_RES2", {m_business, res}));
    m_deposits->SET_SCOPE(data::order_key("DET_RES8", "DET_RES8", {m_business, res}));
}

ReservationListScreen* open_hotel_reservations(QWidget* owner, data::Db& db,
                                               const std::string& business) {
    return open_screen<ReservationListScreen>(owner, db, business);
}

ReservationListScreen* open_deposit_reservations(QWidget* owner, data::Db& db,
                                                 const std::string& business) {
    return open_screen<ReservationListScreen>(owner, db, business, "DEP_HOT5", 0);
}

}  // namespace qz::gui
