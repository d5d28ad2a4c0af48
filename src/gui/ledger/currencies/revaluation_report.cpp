#include "gui/ledger/currencies/revaluation_report.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "domain/ledger/currencies.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"
#include "gui/ledger/currencies/currency_screens.h"
#include "gui/print/column_listing.h"
#include "gui/print/print_job.h"
#include "gui/print/setup_printer.h"
#include "services/print/print_ops.h"

namespace qz::gui {

namespace {

const char* const kTitle = "Actualización de Diferencial Cambiario";

class RevaluationDialog : public DIALOG_BOX {
public:
    RevaluationDialog(QWidget* owner, data::Db& db, std::string business, Date today)
        : DIALOG_BOX("DIFE_CAM", owner),
          m_db(db),
          m_business(std::move(business)),
          m_today(today) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        auto* currency = Add(new QComboBox(this), kRevCurrency);
        currency->addItem("", QString());
        for (const auto& c : domain::business_currencies(m_db, m_business))
            currency->addItem(QString::fromStdString(c.code + " - " + c.name),
                              QString::fromStdString(c.code));
        form->addRow("Moneda:", currency);
        form->addRow("Desde:",
                     new LR_MASKED(this, kRevFrom, Date(m_today.year(), m_today.month(), 1)));
        form->addRow("Hasta:", new LR_MASKED(this, kRevTo, m_today));
        form->addRow(
            "Tipos de Cambio:",
            Add(amount_edit(this, kRevRate, rate_amount("Tipos de Cambio"), Decimal()), kRevRate));
        QObject::connect(currency, &QComboBox::currentIndexChanged, this, [this] { offer_rate(); });
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(
            Add(new QPushButton("Listado Previo", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(kTitle);
        return true;
    }

    void SAVE_DATOS() override {
        domain::RevaluationRequest r;
        r.currency = control_as<QComboBox>(kRevCurrency)->currentData().toString().toStdString();
        r.from = control_as<LR_MASKED>(kRevFrom)->date();
        r.to = control_as<LR_MASKED>(kRevTo)->date();
        r.rate = control_as<LR_MASKED>(kRevRate)->number();
        if (const std::string why = domain::check_revaluation_request(r); !why.empty()) {
            MESSAGE_BOX(this, why, "Error", kMbOk | kMbIconStop);
            return;
        }
        m_request = r;
        EndDialog(kCmdOk);
    }

    const domain::RevaluationRequest& request() const { return m_request; }

private:
    void offer_rate() {
        const auto code =
            control_as<QComboBox>(kRevCurrency)->currentData().toString().toStdString();
        if (code.empty()) return;
        const Decimal rate = domain::offered_revaluation_rate(m_db, m_business, code);
        control_as<LR_MASKED>(kRevRate)->setText(
            QString::fromStdString(rate_amount("").show(rate.round(5))));
    }

    data::Db& m_db;
    std::string m_business;
    Date m_today;
    domain::RevaluationRequest m_request;
};

const std::vector<ListingColumn> kColumns = {
    {"Documento", 0, 15, false},     {"Fecha", 16, 10, false},    {"Cliente", 27, 30, false},
    {"Saldo", 58, 14, true},         {"T.C. Ant.", 73, 12, true}, {"Saldo Ajustado", 86, 15, true},
    {"Saldo Actual", 102, 15, true}, {"Ajuste", 118, 14, true}};
constexpr double kBasis = 132;

std::string money(const Decimal& d) { return AmountField{"", 16, 2, true}.show(d); }

}  // namespace

void draw_revaluation(services::PrinterFunction& job, const domain::RevaluationListing& listing,
                      const std::string& currency) {
    ColumnListing out(job, kColumns, kBasis,
                      [&currency](ColumnListing& l) { l.note("Moneda: " + currency); });
    out.header();
    for (const auto& l : listing.lines)
        if (!out.line({l.document, l.fecha.dtoc4(), l.customer + " " + l.name, money(l.balance),
                       rate_amount("").show(l.last_rate), money(l.adjusted), money(l.valued),
                       money(l.pending)}))
            return;
    out.rule();
    out.put(2, "Totales");
    out.put(3, money(listing.balance));
    out.put(5, money(listing.adjusted));
    out.put(6, money(listing.valued));
    out.put(7, money(listing.pending));
}

void open_revaluation_report(QWidget* owner, data::Db& db, const std::string& business,
                             const Clock& clock) {
    RevaluationDialog dialog(owner, db, business, clock.XDATE());
    if (dialog.run() != kCmdOk) return;
    const auto& req = dialog.request();
    const auto listing = domain::revaluation_listing(db, business, req);
    for (const auto& p : listing.problems) MESSAGE_BOX(owner, p, "Error", kMbOk | kMbIconStop);
    if (listing.lines.empty()) {
        MESSAGE_BOX(owner, "No hay documentos pendientes en esa moneda y período.", "Atención",
                    kMbOk | kMbIconExclamation);
        return;
    }
    services::PrinterFunction job;
    prepare_job(job);
    job.ORIENTACION(2);
    job.TITLE1(kTitle);
    job.TITLE2("Del " + req.from.dtoc4() + " al " + req.to.dtoc4() +
               "   Tipo de Cambio: " + rate_amount("").show(req.rate));
    if (!SETUPPRINTER(job, 1, true, owner)) return;
    if (START_DOC(owner, job, kTitle)) draw_revaluation(job, listing, req.currency);
    RESETPRINT(owner, job);
}

}  // namespace qz::gui
