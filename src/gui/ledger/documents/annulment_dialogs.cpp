// CHECK_ANULA, the confirmation of every annulment, and ANUL_DOC, the annulment of one document
// by its number.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/masked_edit.h"
#include "gui/framework/qt_user_port.h"
#include "gui/ledger/documents/annulment_screens.h"

namespace qz::gui {

namespace {

using namespace annul_ids;

constexpr const char* kAmountPicture = "999,999,999.99";

QString q(const std::string& s) { return QString::fromStdString(s); }

class CheckAnnulment : public DIALOG_BOX {
public:
    CheckAnnulment(QWidget* owner, const domain::AnnulmentPreview& p)
        : DIALOG_BOX("CHECK_ANULA", owner), m_p(p) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        const std::pair<int, std::pair<const char*, std::string>> shown[] = {
            {kShownDocument, {"Documento:", m_p.document}},
            {kShownDate, {"Fecha:", m_p.date.dtoc()}},
            {kShownDue, {"Vence:", m_p.due.dtoc()}},
            {kShownCustomer, {"Cliente:", m_p.customer + " " + m_p.customer_name}},
            {kShownAmount, {"Monto:", pic_format(m_p.amount, kAmountPicture)}},
            {kShownBalance, {"Saldo:", pic_format(m_p.balance, kAmountPicture)}},
            {kShownPaid, {"Abonos:", pic_format(m_p.paid(), kAmountPicture)}}};
        for (const auto& [id, row] : shown) {
            auto* value = Add(new QLineEdit(q(trim(row.second)), this), id);
            value->setReadOnly(true);
            if (id >= kShownAmount) value->setAlignment(Qt::AlignRight);
            form->addRow(QString::fromUtf8(row.first), value);
        }
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Anular", this), kCmdOk));
        buttons->addWidget(Add(new QPushButton("&Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Información del Documento por Anular");
        resize(460, 0);
        return true;
    }

private:
    domain::AnnulmentPreview m_p;
};

class AnnulByNumber : public DIALOG_BOX {
public:
    AnnulByNumber(QWidget* owner, data::Db& db, std::string business, std::string user,
                  std::string document)
        : DIALOG_BOX("ANUL_DOC", owner),
          m_db(db),
          m_business(std::move(business)),
          m_user(std::move(user)),
          m_document(std::move(document)) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        auto* number = Add(new QLineEdit(q(m_document), this), kNumber);
        number->setMaxLength(15);
        number->setReadOnly(!m_document.empty());
        form->addRow("Documento:", number);
        form->addRow("Fecha:", new LR_MASKED(this, kTypedDate, m_db.clock().XDATE()));
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Anular", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Salir", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Anulación de Documento");
        return true;
    }

    void SAVE_DATOS() override {
        auto* date = control_as<LR_MASKED>(kTypedDate);
        if (!date->commit()) return;
        QtUserPort port(this);
        const domain::AnnulmentRequest r{m_business,
                                         trim(control_as<QLineEdit>(kNumber)->text().toStdString()),
                                         m_user, date->date()};
        const auto result = domain::annul_document(
            m_db, port, r,
            [this](const domain::AnnulmentPreview& p) { return confirm_annulment(this, p); });
        // Refused: the user corrects the date or the number; otherwise there is nothing left
        // to do here.
        if (result.status == domain::AnnulmentStatus::Refused) return;
        EndDialog(result.status == domain::AnnulmentStatus::Annulled ? kCmdOk : kCmdCancel);
    }

private:
    data::Db& m_db;
    std::string m_business, m_user, m_document;
};

}  // namespace

bool confirm_annulment(QWidget* owner, const domain::AnnulmentPreview& p) {
    CheckAnnulment d(owner, p);
    return d.run() == kCmdOk;
}

bool annul_document_dialog(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& user, const std::string& document) {
    AnnulByNumber d(owner, db, business, user, trim(document));
    return d.run() == kCmdOk;
}

}  // namespace qz::gui
