#include "gui/framework/show_company.h"

#include <QLabel>
#include <QLineEdit>

#include "core/text.h"
#include "data/table_ops.h"
#include "gui/framework/dialog_frame.h"

namespace qz::gui {

namespace {
constexpr int kCompanyControl = -100;
}

std::string company_name(data::Db& db, const std::string& negocio) {
    data::Table t = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    std::string name;
    if (t->Seek(pad_right(negocio, 15))) name = rtrim(t->str("DESCRIP"));
    data::KILLTABLA(db, t);
    return name;
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
