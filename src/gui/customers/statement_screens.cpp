#include "gui/customers/statement_screens.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "domain/customers/customer_codes.h"
#include "domain/customers/customer_rows.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {

namespace dc = qz::domain::customers;

QHBoxLayout* buttons_row(DIALOG_BOX& d, QPushButton* ok) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(d.Add(new QPushButton("Salir", &d), kCmdCancel));
    return buttons;
}

class HistoricDialog : public DIALOG_BOX {
public:
    HistoricDialog(QWidget* owner, std::vector<dc::StoredBranch> branches, Date today)
        : DIALOG_BOX("CLIENT_3", owner), m_branches(std::move(branches)), m_today(today) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        form->addRow("Desde:", new LR_MASKED(this, kHisFrom, Date(m_today.year(), 1, 1)));
        form->addRow("Hasta:", new LR_MASKED(this, kHisTo, m_today));
        auto* branch = Add(new QComboBox(this), kHisBranch);
        branch->addItem("Todas las Sucursales", QString());
        for (const auto& s : m_branches)
            branch->addItem(QString::fromStdString(s.branch.code + " " + s.branch.name),
                            QString::fromStdString(s.branch.code));
        form->addRow("Sucursal:", branch);
        layout->addLayout(form);
        layout->addLayout(buttons_row(
            *this, Add(new QPushButton("Imprimir", this), kHisPrint, [this] { IMP_2(); })));
        Text("Estado de Cuenta Histórico");
        return true;
    }

    // Checks the range and ends the dialog with it; the list prints it.
    void IMP_2() {
        HistoricRequest r;
        r.from = control_as<LR_MASKED>(kHisFrom)->date();
        r.to = control_as<LR_MASKED>(kHisTo)->date();
        r.branch = control_as<QComboBox>(kHisBranch)->currentData().toString().toStdString();
        const char* problem = r.from.empty() || r.to.empty() ? kBadDate
                              : r.from > r.to                ? kBadRange
                                                             : nullptr;
        if (problem) {
            MESSAGE_BOX(this, problem, "Atencion", kMbOk | kMbIconExclamation);
            return;
        }
        m_request = r;
        EndDialog(kCmdOk);
    }
    const HistoricRequest& request() const { return m_request; }

private:
    std::vector<dc::StoredBranch> m_branches;
    Date m_today;
    HistoricRequest m_request;
};

class ListingDialog : public DIALOG_BOX {
public:
    ListingDialog(QWidget* owner, std::vector<dc::CodeEntry> classes)
        : DIALOG_BOX("PRINT_CLIENTES", owner), m_classes(std::move(classes)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        auto* by_code = Add(new QRadioButton("Por Código", this), kLstByCode);
        by_code->setChecked(true);
        auto* order = new QHBoxLayout;
        order->addWidget(by_code);
        order->addWidget(Add(new QRadioButton("Por Nombre", this), kLstByName));
        form->addRow("Orden:", order);
        auto* state = Add(new QComboBox(this), kLstState);
        for (const auto& name : dc::listing_state_names())
            state->addItem(QString::fromStdString(name));
        state->setCurrentIndex(static_cast<int>(dc::ListingState::All));
        form->addRow("Estado:", state);
        auto* clas = Add(new QComboBox(this), kLstClass);
        clas->addItem("Todas", QString());
        for (const auto& c : m_classes)
            clas->addItem(QString::fromStdString(c.code + " " + c.description),
                          QString::fromStdString(c.code));
        form->addRow("Clasificación:", clas);
        layout->addLayout(form);
        layout->addLayout(buttons_row(
            *this, Add(new QPushButton("Imprimir", this), kCmdOk, [this] { SAVE_DATOS(); })));
        Text("Listados de Clientes");
        return true;
    }

    void SAVE_DATOS() override {
        m_request.order = control_as<QRadioButton>(kLstByName)->isChecked()
                              ? dc::ListingOrder::Name
                              : dc::ListingOrder::Code;
        m_request.state =
            static_cast<dc::ListingState>(control_as<QComboBox>(kLstState)->currentIndex());
        m_request.classification =
            control_as<QComboBox>(kLstClass)->currentData().toString().toStdString();
        EndDialog(kCmdOk);
    }
    const dc::ListingRequest& request() const { return m_request; }

private:
    std::vector<dc::CodeEntry> m_classes;
    dc::ListingRequest m_request;
};

}  // namespace

std::optional<HistoricRequest> ask_historic_statement(QWidget* owner, data::Db& db,
                                                      const std::string& business,
                                                      const std::string& customer,
                                                      const Date& today) {
    HistoricDialog d(owner, dc::branches_principal_first(db, business, customer), today);
    if (d.run() != kCmdOk) return std::nullopt;
    return d.request();
}

std::optional<dc::ListingRequest> ask_customer_listing(QWidget* owner, data::Db& db,
                                                       const std::string& business) {
    ListingDialog d(owner, dc::code_entries(db, dc::CodeKind::Classification, business));
    if (d.run() != kCmdOk) return std::nullopt;
    return d.request();
}

}  // namespace qz::gui
