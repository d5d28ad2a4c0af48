#include "gui/framework/show_company.h"

#include <QLabel>
#include <QLineEdit>

#include "domain/session/user_store.h"
#include "gui/framework/dialog_frame.h"

namespace qz::gui {

namespace {
constexpr int kCompanyControl = -100;
}

std::string company_name(data::Db& db, const std::string& negocio) {
    return domain::users::business_rules(db, negocio).DESCRIP;
}

void SHOW_COMPANY(DialogFrame& dialog, data::Db& db, const std::string& negocio) {
    const QString name = QString::fromStdString(company_name(db, negocio));
    QWidget* target = dialog.control(kCompanyControl);
    if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(name);
    else if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->setText(name);
}

}  // namespace qz::gui
