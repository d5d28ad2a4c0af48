// VER_SRES: the reservations of one agenda slot, refreshed every 30 seconds.
#include "gui/spa/reservations/ver_sres.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "domain/spa/reservations/form_lists.h"
#include "domain/spa/reservations/slot_list.h"
#include "gui/framework/wdiag.h"
#include "gui/session/app_context.h"
#include "gui/spa/reservations/reservation_screens.h"

namespace qz::gui {

namespace ds = domain::spa;

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class VerSres : public WDIAG {
public:
    VerSres(QWidget* owner, AppContext& ctx, std::string room, Date date, std::string time)
        : WDIAG(owner, "VER_SRES", 0, {true, true}),
          m_ctx(ctx),
          m_room(std::move(room)),
          m_date(date),
          m_time(std::move(time)) {}

    bool Init() override {
        DISABLEPARENT();
        auto* top = new QVBoxLayout(this);
        // One column per cell of a row, as fill() puts them.
        const QStringList headings{"Código",        "Estado",     "Sala",      "Hora I.",
                                   "Hora F.",       "Nombre",     "# Pax",     "Teléfonos",
                                   "Observaciones", "Email",      "Encargado", "# Room",
                                   "Registro",      "Fecha Reg.", "Anulación", "Fecha Anul."};
        m_grid = Add(new QTableWidget(0, static_cast<int>(headings.size())), ver_sres::kGrid);
        m_grid->setHorizontalHeaderLabels(headings);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        top->addWidget(m_grid);
        auto* row = new QHBoxLayout;
        const std::pair<int, const char*> buttons[] = {{ver_sres::kAdd, "Agregar"},
                                                       {ver_sres::kModify, "Modificar"},
                                                       {ver_sres::kCancel, "Anular"},
                                                       {ver_sres::kInvoice, "Facturar"},
                                                       {ver_sres::kResend, "Reenviar Email"}};
        for (auto [id, text] : buttons)
            row->addWidget(Add(new QPushButton(text), id, [this, id = id] { run(id); }));
        row->addStretch();
        row->addWidget(Add(new QPushButton("Salir"), kCmdCancel));
        top->addLayout(row);
        grey_by_rights();
        setWindowTitle(QString("Reservas %1 %2 %3").arg(q(m_room), q(m_date.dtoc4()), q(m_time)));
        fill();
        auto* timer = new QTimer(this);
        timer->setObjectName("refresh");
        timer->start(ver_sres::kRefreshMs);
        connect(timer, &QTimer::timeout, this, [this] { fill(); });
        Create();
        return true;
    }
    void refresh_after_child() override { fill(); }
    // Back from a form opened here (a new booking, a change), the list shows the slot as it is.
    void SHOW_MENU() override {
        WDIAG::SHOW_MENU();
        fill();
    }

private:
    void grey_by_rights() {
        const auto& rights = m_ctx.session.rights;
        const std::pair<int, int> by_right[] = {{ver_sres::kAdd, 6430},
                                                {ver_sres::kModify, 6431},
                                                {ver_sres::kCancel, 6433},
                                                {ver_sres::kInvoice, 6435},
                                                {ver_sres::kResend, 6444}};
        for (auto [id, right] : by_right) control(id)->setEnabled(!rights.GET_RIGHTS(right));
    }
    void fill() {
        const std::string keep = current_code();
        m_rows = ds::slot_reservations(*m_ctx.db, m_ctx.session.XU_COMP, m_room, m_date, m_time);
        m_grid->setRowCount(static_cast<int>(m_rows.size()));
        for (size_t r = 0; r < m_rows.size(); ++r) {
            const auto& h = m_rows[r];
            const std::string cells[] = {
                h.code, ds::state_name(h.state),
                ds::room_description(*m_ctx.db, m_ctx.session.XU_COMP, h.room), h.start, h.end,
                h.name, std::to_string(h.persons), h.phones, h.notes, h.email,
                ds::agent_name(*m_ctx.db, m_ctx.session.XU_COMP, h.agent), h.hotel_room,
                h.user_reg, h.date_reg.empty() ? "" : h.date_reg.dtoc4() + " " + h.time_reg,
                h.user_anul, h.date_anul.empty() ? "" : h.date_anul.dtoc4() + " " + h.time_anul};
            static_assert(std::size(cells) == 16, "one cell per heading");
            for (int c = 0; c < m_grid->columnCount(); ++c)
                m_grid->setItem(static_cast<int>(r), c, new QTableWidgetItem(q(cells[c])));
            if (h.code == keep) m_grid->selectRow(static_cast<int>(r));
        }
        if (m_grid->currentRow() < 0 && !m_rows.empty()) m_grid->selectRow(0);
    }
    std::string current_code() const {
        const int r = m_grid ? m_grid->currentRow() : -1;
        return r >= 0 && r < static_cast<int>(m_rows.size()) ? m_rows[r].code : "";
    }
    void run(int id) {
        const std::string code = current_code();
        switch (id) {
        case ver_sres::kAdd:
            open_new_reservation(this, m_ctx, m_room == "TODAS" ? "" : m_room, m_date, m_time);
            break;
        case ver_sres::kModify:
            open_reservation_form(this, m_ctx, code, ds::FormMode::Modify);
            break;
        case ver_sres::kCancel:
            if (cancel_from_list(m_ctx, code, "Desea cancelar la reserva?")) fill();
            break;
        case ver_sres::kResend:
            resend_confirmation(m_ctx, code);
            break;
        case ver_sres::kInvoice:
            invoice_reservation(this, m_ctx, code, [this] { fill(); });
            break;
        default:
            break;
        }
    }

    AppContext& m_ctx;
    std::string m_room;
    Date m_date;
    std::string m_time;
    QTableWidget* m_grid = nullptr;
    std::vector<ds::SpaHeader> m_rows;
};

}  // namespace

void open_slot_reservations(QWidget* owner, AppContext& ctx, const std::string& room, Date date,
                            const std::string& time) {
    open_screen<VerSres>(owner, ctx, room, date, time);
}

}  // namespace qz::gui
