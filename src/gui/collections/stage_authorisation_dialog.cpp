#include "gui/collections/stage_authorisation_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/message_box.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using namespace authorisation_dialog;
namespace dl = qz::domain;

template <class W>
W* named(W* w, int id) {
    w->setObjectName(QString::number(id));
    return w;
}

}  // namespace

std::optional<StageAuthorisation> ask_stage_authorisation(QWidget* owner, data::Db& db,
                                                          const dl::StageWorkflow& w,
                                                          const AuthorisationRequest& r) {
    const auto people = dl::stage_authorisers(db, w, r.business, r.stage);
    QDialog d(owner);
    d.setObjectName(QString::fromStdString(r.dlg_name));
    d.setWindowTitle("Autorización");
    auto* who = named(new QComboBox(&d), kWho);
    who->addItem("", -1);
    for (size_t i = 0; i < people.size(); ++i)
        who->addItem(QString::fromStdString(people[i].name), static_cast<int>(i));
    auto* document =
        named(new QLabel(QString::fromStdString(r.document + "  " + r.description), &d), kDocument);
    auto* pass = named(new QLineEdit(&d), kPassCode);
    pass->setEchoMode(QLineEdit::Password);
    pass->setMaxLength(10);
    auto* reason = named(new QPlainTextEdit(&d), kReason);
    auto* form = new QFormLayout;
    form->addRow("Autoriza :", who);
    form->addRow("Documento :", document);
    form->addRow("Clave :", pass);
    if (r.asks_reason) form->addRow("Motivo :", reason);
    reason->setVisible(r.asks_reason);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(kFormOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kFormCancel));
    auto* layout = new QVBoxLayout(&d);
    layout->addLayout(form);
    layout->addWidget(buttons);
    std::optional<StageAuthorisation> out;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        const int i = who->currentData().toInt();
        if (i < 0) {
            MESSAGE_BOX(&d, dl::kNoAuthoriserChosen, "Error", kMbOk | kMbIconStop);
            who->setFocus();
            return;
        }
        const dl::StageAuthoriser& a = people[static_cast<size_t>(i)];
        if (!dl::check_authoriser_code(db, w, r.business, a.code, pass->text().toStdString())) {
            MESSAGE_BOX(&d, dl::kWrongAuthoriserCode, "Error", kMbOk | kMbIconStop);
            pass->clear();
            pass->setFocus();
            return;
        }
        out = StageAuthorisation{a, reason->toPlainText().toStdString()};
        d.accept();
    });
    d.exec();
    return out;
}

}  // namespace qz::gui
