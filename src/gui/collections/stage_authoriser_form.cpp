#include "gui/collections/stage_authoriser_form.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/amount_field.h"
#include "domain/collections/stage_chain.h"
#include "gui/framework/amount_edit.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace {

using namespace authoriser_form;
namespace dl = qz::domain;

QLineEdit* line(QDialog& d, int id, const std::string& value, int width, bool secret = false) {
    auto* e = new QLineEdit(QString::fromStdString(value), &d);
    e->setObjectName(QString::number(id));
    e->setMaxLength(width);
    if (secret) e->setEchoMode(QLineEdit::Password);
    return e;
}

QListWidget* stage_choice(QDialog& d, int id, const dl::StageChain& chain,
                          const std::string& listed) {
    auto* l = new QListWidget(&d);
    l->setObjectName(QString::number(id));
    l->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const dl::Stage& s : chain.stages()) {
        auto* item = new QListWidgetItem(QString::fromStdString(s.code + "  " + s.name), l);
        item->setData(Qt::UserRole, QString::fromStdString(s.code));
        item->setSelected(dl::stage_listed(listed, s.code));
    }
    return l;
}

std::string chosen(const QListWidget* l) {
    std::vector<std::string> codes;
    for (int i = 0; i < l->count(); ++i)
        if (l->item(i)->isSelected())
            codes.push_back(l->item(i)->data(Qt::UserRole).toString().toStdString());
    return dl::stage_list(codes);
}

}  // namespace

bool run_stage_authoriser_form(QWidget* owner, data::Db& db, const std::string& business,
                               const dl::StageWorkflow& w, const std::string& dlg_name,
                               const std::optional<dl::StageAuthoriser>& old) {
    const dl::StageAuthoriser a = old.value_or(dl::StageAuthoriser{});
    const dl::StageChain chain = dl::read_stage_chain(db, w, business);
    QDialog d(owner);
    d.setObjectName(QString::fromStdString(dlg_name));
    d.setWindowTitle(old ? "Modificar Autorizador" : "Agregar Autorizador");
    auto* form = new QFormLayout;
    auto* code = line(d, kCode, a.code, 4);
    code->setReadOnly(old.has_value());
    auto* name = line(d, kName, a.name, 40);
    auto* signature = line(d, kSignature, a.signature, 60);
    auto* title = line(d, kTitle, a.title, 40);
    auto* pass = line(d, kPassCode, "", 10, true);
    auto* again = line(d, kPassCodeAgain, "", 10, true);
    auto* modify = stage_choice(d, kStagesModify, chain, a.stages_modify);
    auto* authorise = stage_choice(d, kStagesAuthorise, chain, a.stages_authorise);
    form->addRow("Código :", code);
    form->addRow("Nombre :", name);
    form->addRow("Firma (archivo) :", signature);
    form->addRow("Puesto :", title);
    form->addRow("Clave :", pass);
    form->addRow("Repita la Clave :", again);
    form->addRow("Etapas que modifica :", modify);
    form->addRow("Etapas que autoriza :", authorise);
    // Order authorisers also say how far overdue a customer they may let through is.
    const bool orders = std::string(w.authorisers) == dl::kOrderWorkflow.authorisers;
    LR_MASKED* days = nullptr;
    LR_MASKED* credit = nullptr;
    if (orders) {
        days =
            amount_edit(&d, kDaysPermitted, data::amount_field(w.authorisers, "DIAS_PERMI", "Días"),
                        Decimal(a.days_permitted));
        credit = amount_edit(&d, kCreditPermitted,
                             data::amount_field(w.authorisers, "CRED_PERMI", "Monto"),
                             a.credit_permitted);
        form->addRow("Días de atraso permitidos :", days);
        form->addRow("Monto vencido permitido :", credit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QString::number(kFormOk));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QString::number(kFormCancel));
    auto* layout = new QVBoxLayout(&d);
    layout->addLayout(form);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, [&] {
        if (pass->text() != again->text()) {
            MESSAGE_BOX(&d, kPassCodesDiffer, "Error", kMbOk | kMbIconStop);
            pass->setFocus();
            return;
        }
        dl::StageAuthoriser n = a;
        n.code = code->text().toStdString();
        n.name = name->text().toStdString();
        n.signature = signature->text().toStdString();
        n.title = title->text().toStdString();
        n.stages_modify = chosen(modify);
        n.stages_authorise = chosen(authorise);
        if (orders) {
            if (!days->commit() || !credit->commit()) return;
            n.days_permitted = days->number().to_int();
            n.credit_permitted = credit->number();
        }
        QtUserPort port(&d);
        if (dl::save_stage_authoriser(db, port, w, business, old ? a.code : "", n,
                                      pass->text().toStdString()))
            d.accept();
    });
    return d.exec() == QDialog::Accepted;
}

}  // namespace qz::gui
