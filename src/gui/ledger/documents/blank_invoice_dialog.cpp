// ANULA_D2, "Anulación de Factura en Blanco": the concept, the number (blank: the next one of
// the concept's series, shown beside it) and the date.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/serials.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/documents/annulment_screens.h"

namespace qz::gui {

namespace {

using namespace annul_ids;

QString q(const std::string& s) { return QString::fromStdString(s); }

class BlankInvoiceVoid : public DIALOG_BOX {
public:
    BlankInvoiceVoid(QWidget* owner, data::Db& db, std::string business, std::string user)
        : DIALOG_BOX("ANULA_D2", owner),
          m_db(db),
          m_business(std::move(business)),
          m_user(std::move(user)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        auto* concepts = Add(new QComboBox(this), kConcept);
        // Documents that number from a series; the annulled ones are of another concept.
        for (const auto& c : domain::business_document_concepts(m_db, m_business))
            if (c.debit == 1) concepts->addItem(q(c.code + " " + c.name), q(c.code));
        form->addRow("Concepto:", concepts);
        auto* number = Add(new QLineEdit(this), kBlankNumber);
        number->setMaxLength(15);
        number->setPlaceholderText(QString::fromUtf8("siguiente del consecutivo"));
        form->addRow(QString::fromUtf8("Número:"), number);
        form->addRow("", Add(new QLabel(this), kNextNumber));
        form->addRow("Fecha:", new LR_MASKED(this, kBlankDate, m_db.clock().XDATE()));
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Anular", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        QObject::connect(concepts, &QComboBox::currentIndexChanged, this,
                         [this] { show_next_number(); });
        show_next_number();
        Text("Anulación de Factura en Blanco");
        resize(420, 0);
        return true;
    }

    void SAVE_DATOS() override {
        auto* date = control_as<LR_MASKED>(kBlankDate);
        if (!date->commit()) return;
        QtUserPort port(this);
        const domain::BlankInvoiceRequest r{
            m_business, concept_code(),
            trim(control_as<QLineEdit>(kBlankNumber)->text().toStdString()), m_user, date->date()};
        const auto result = domain::void_blank_invoice(m_db, port, r);
        if (result.status == domain::AnnulmentStatus::Annulled)
            EndDialog(kCmdOk);
        else
            show_next_number();
    }

private:
    std::string concept_code() const {
        return control_as<QComboBox>(kConcept)->currentData().toString().toStdString();
    }

    // What a blank number would take, so the user sees it before voiding it.
    void show_next_number() {
        const auto c = domain::read_document_concept(m_db, m_business, concept_code());
        std::string text;
        if (c && !c->series.empty()) {
            const std::string next = trim(domain::GET_CURRENTSERIAL(m_db, m_business, c->series));
            if (!domain::is_no_serial(next)) text = "Siguiente del consecutivo: " + next;
        }
        control_as<QLabel>(kNextNumber)->setText(q(text));
    }

    data::Db& m_db;
    std::string m_business, m_user;
};

}  // namespace

bool void_blank_invoice_dialog(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user) {
    BlankInvoiceVoid d(owner, db, business, user);
    return d.run() == kCmdOk;
}

}  // namespace qz::gui
