// DEP_HOT3: the reservation room lines the deposit being typed goes to.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/deposits/hotel_reservations.h"
#include "gui/deposits/deposit_entry_dialogs.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;
using namespace reservation_dialog;

QString q(const std::string& s) { return QString::fromStdString(s); }

AmountField line_field() { return data::amount_field("DET_RES8", "MONTO_PAGO", "Monto"); }

class DepHot3 : public DIALOG_BOX {
public:
    DepHot3(QWidget* owner, data::Db& db, std::string business, dl::DepositForm& form)
        : DIALOG_BOX("DEP_HOT3", owner), m_db(db), m_business(std::move(business)), m_form(form) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* choose = new QFormLayout;
        m_reservation = Add(new QComboBox(this), kReservation);
        m_reservation->addItem("", "");
        for (const auto& r : dl::hotel_reservation_choices(m_db, m_business)) {
            m_reservation->addItem(q(r.code + "  " + r.name), q(r.code));
            m_names[r.code] = r.name;
        }
        choose->addRow("Reservación:", m_reservation);
        m_line = Add(new QComboBox(this), kRoomLine);
        choose->addRow("Habitación:", m_line);
        m_amount = Add(amount_edit(this, kLineAmount, line_field(), Decimal()), kLineAmount);
        choose->addRow("Monto:", m_amount);
        layout->addLayout(choose);
        auto* row = new QHBoxLayout;
        row->addStretch();
        auto* add = Add(new QPushButton("Agregar", this), kAddLine, [this] { add_line(); });
        auto* del = Add(new QPushButton("Borrar", this), kDeleteLine, [this] { remove(); });
        // Enter finishes what is typed in the grid; it must not add or delete a line as well.
        add->setAutoDefault(false);
        del->setAutoDefault(false);
        row->addWidget(add);
        row->addWidget(del);
        layout->addLayout(row);
        m_grid = Add(new QTableWidget(0, 6, this), kLines);
        m_grid->setHorizontalHeaderLabels(
            {"Reservación", "Tipo Hab.", "Línea", "Habitación", "Huésped", "Monto"});
        m_grid->horizontalHeader()->setSectionResizeMode(kGuestCol, QHeaderView::Stretch);
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        layout->addWidget(m_grid);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk));
        layout->addLayout(buttons);
        connect(m_reservation, &QComboBox::currentIndexChanged, this,
                [this] { show_room_lines(); });
        Text("Reservaciones del Depósito");
        resize(820, 420);
        show_lines();
        return true;
    }

private:
    // The room and the guest's name of a listed line, read again each time the list is shown:
    // a room may have been assigned since the line was listed.
    std::pair<std::string, std::string> room_and_guest(const dl::DepositReservationLine& l) {
        for (const auto& room : dl::reservation_room_lines(m_db, m_business, l.reservation))
            if (trim(room.room_type) == trim(l.room_type) && room.item == l.item)
                return {room.room, dl::room_line_guest_name(m_db, m_business, room,
                                                            m_names[trim(l.reservation)])};
        return {"", m_names[trim(l.reservation)]};
    }
    // The chosen reservation's room lines, each with its state: a guest already in house may be
    // chosen, the save then leaves that line for the folio and says so.
    void show_room_lines() {
        m_line->clear();
        // No reservation chosen offers no lines, not every reservation's.
        const std::string code = m_reservation->currentData().toString().toStdString();
        m_rooms = code.empty() ? std::vector<dl::RoomLine>{}
                               : dl::reservation_room_lines(m_db, m_business, code);
        for (const auto& l : m_rooms)
            m_line->addItem(q(l.room_type + " " + std::to_string(l.item) + "  " + l.room + "  (" +
                              dl::room_line_state_name(l.state) + ")"));
        m_amount->set_value(m_form.proposed_line_amount());
    }
    void show_lines() {
        const auto& lines = m_form.draft.reservations;
        m_grid->setRowCount(static_cast<int>(lines.size()));
        for (size_t r = 0; r < lines.size(); ++r) {
            const auto& l = lines[r];
            const auto [room, guest] = room_and_guest(l);
            const QString texts[] = {
                q(l.reservation), q(l.room_type), q(std::to_string(l.item)),
                q(room),          q(guest),       q(line_field().show(l.amount))};
            for (int c = 0; c < 6; ++c) {
                auto* item = new QTableWidgetItem(texts[c]);
                if (c == 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_grid->setItem(static_cast<int>(r), c, item);
            }
        }
    }
    void add_line() {
        const int i = m_line->currentIndex();
        if (i < 0 || i >= static_cast<int>(m_rooms.size()) || !m_amount->commit()) return;
        const dl::RoomLine& room = m_rooms[static_cast<size_t>(i)];
        QtUserPort port(this);
        if (!m_form.add_reservation(
                port, {room.reservation, room.room_type, room.item, m_amount->number()}))
            return;
        show_lines();
        m_amount->set_value(m_form.proposed_line_amount());
    }
    void remove() {
        auto& lines = m_form.draft.reservations;
        const int r = m_grid->currentRow();
        if (r < 0 || r >= static_cast<int>(lines.size())) return;
        lines.erase(lines.begin() + r);
        show_lines();
        m_amount->set_value(m_form.proposed_line_amount());
    }

    data::Db& m_db;
    std::string m_business;
    dl::DepositForm& m_form;
    std::vector<dl::RoomLine> m_rooms;  // the chosen reservation's lines, as the list offers them
    QComboBox *m_reservation = nullptr, *m_line = nullptr;
    LR_MASKED* m_amount = nullptr;
    QTableWidget* m_grid = nullptr;
    std::map<std::string, std::string> m_names;  // each reservation's name by its code
};

}  // namespace

void run_reservation_lines_dialog(QWidget* owner, data::Db& db, const std::string& business,
                                  dl::DepositForm& form) {
    DepHot3 dlg(owner, db, business, form);
    dlg.run();
}

}  // namespace qz::gui
