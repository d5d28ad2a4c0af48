#include "gui/deposits/deposit_reports.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"

namespace qz::gui {

namespace {

namespace dl = qz::domain;

constexpr const char* kByDateTitle = "Depósitos por Fecha";
constexpr const char* kByReservationTitle = "Depósitos por Reservación";
constexpr const char* kPendingTitle = "Depósitos Pendientes de Aplicar";

void add_buttons(DIALOG_BOX& d, QVBoxLayout* layout) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(d.Add(new QPushButton("Aceptar", &d), kCmdOk, [&d] { d.SAVE_DATOS(); }));
    buttons->addWidget(d.Add(new QPushButton("Cancelar", &d), kCmdCancel));
    layout->addLayout(buttons);
}

// The days to list, both included.
class PeriodDialog : public DIALOG_BOX {
public:
    PeriodDialog(QWidget* owner, Date today) : DIALOG_BOX("REP_DEP", owner), m_today(today) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Desde", new LR_MASKED(this, kRepDepFrom, m_today));
        form->addRow("Hasta", new LR_MASKED(this, kRepDepTo, m_today));
        layout->addLayout(form);
        add_buttons(*this, layout);
        Text(kByDateTitle);
        return true;
    }
    void SAVE_DATOS() override {
        from = control_as<LR_MASKED>(kRepDepFrom)->date();
        to = control_as<LR_MASKED>(kRepDepTo)->date();
        if (const std::string why = dl::check_deposit_period(from, to); !why.empty()) {
            MESSAGE_BOX(this, why, "Error", kMbOk | kMbIconStop);
            control(from.empty() ? kRepDepFrom : kRepDepTo)->setFocus();
            return;
        }
        EndDialog(kCmdOk);
    }

    Date from, to;

private:
    Date m_today;
};

// One reservation, or every one when the code is left blank.
class ReservationDialog : public DIALOG_BOX {
public:
    explicit ReservationDialog(QWidget* owner) : DIALOG_BOX("REP_DEP2", owner) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        auto* code = new LR_MASKED(this, kRepDepReservation, std::string());
        code->setPlaceholderText("Todas");
        form->addRow("Reservación", code);
        layout->addLayout(form);
        add_buttons(*this, layout);
        Text(kByReservationTitle);
        return true;
    }
    void SAVE_DATOS() override {
        reservation = trim(control_as<LR_MASKED>(kRepDepReservation)->text_value());
        EndDialog(kCmdOk);
    }

    std::string reservation;
};

void nothing_to_list(QWidget* owner) {
    MESSAGE_BOX(owner, "No hay depósitos que listar.", "Atencion", kMbOk | kMbIconExclamation);
}

template <class Draw>
void print_listing(QWidget* owner, const char* title, const std::string& subtitle, Draw draw) {
    services::PrinterFunction job;
    prepare_job(job);
    job.ORIENTACION(2);
    job.TITLE1(title);
    job.TITLE2(subtitle);
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, title)) draw(job);
    RESETPRINT(owner, job);
}

}  // namespace

void open_deposits_by_date(QWidget* owner, data::Db& db, const std::string& business,
                           const Clock& clock) {
    PeriodDialog dialog(owner, clock.XDATE());
    if (dialog.run() != kCmdOk) return;
    const auto listing = dl::deposits_by_date(db, business, dialog.from, dialog.to);
    if (listing.deposits.empty()) return nothing_to_list(owner);
    print_listing(owner, kByDateTitle, "Del " + dialog.from.dtoc4() + " al " + dialog.to.dtoc4(),
                  [&](services::PrinterFunction& job) { draw_deposit_listing(job, listing); });
}

void open_deposits_by_reservation(QWidget* owner, data::Db& db, const std::string& business) {
    ReservationDialog dialog(owner);
    if (dialog.run() != kCmdOk) return;
    const auto listing = dl::deposits_by_reservation(db, business, dialog.reservation);
    if (listing.lines.empty()) return nothing_to_list(owner);
    const std::string subtitle = dialog.reservation.empty() ? std::string("Todas las reservaciones")
                                                            : "Reservación " + dialog.reservation;
    print_listing(owner, kByReservationTitle, subtitle,
                  [&](services::PrinterFunction& job) { draw_reservation_deposits(job, listing); });
}

void open_pending_deposits(QWidget* owner, data::Db& db, const std::string& business) {
    const auto listing = dl::pending_deposits(db, business);
    if (listing.deposits.empty()) return nothing_to_list(owner);
    print_listing(owner, kPendingTitle, "",
                  [&](services::PrinterFunction& job) { draw_deposit_listing(job, listing); });
}

}  // namespace qz::gui
