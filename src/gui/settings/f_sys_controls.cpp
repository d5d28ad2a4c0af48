#include "gui/settings/f_sys_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>

#include "gui/framework/masked_edit.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

QWidget* make_text(QWidget* parent, const std::string& value,
                   const std::vector<std::string>* fonts) {
    if (!fonts) return new QLineEdit(q(value), parent);
    auto* combo = new QComboBox(parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& name : *fonts) combo->addItem(q(name));
    combo->setCurrentText(q(value));
    return combo;
}

// A field the user was told about may sit on a tab page that is not showing; its page comes to
// the front so the focus lands where the user can see it.
void reveal(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w)) tabs->setCurrentIndex(i);
}

}  // namespace

QWidget* make_f_sys_control(QWidget* parent, const domain::FSysField& field,
                            const domain::FSysValues& stored,
                            const std::vector<std::string>* fonts) {
    auto it = stored.find(field.name);
    if (it == stored.end()) return nullptr;
    const data::Value& v = it->second;
    QWidget* w = nullptr;
    switch (field.kind) {
        case domain::FSysKind::Number: {
            auto* edit = new LR_MASKED(parent, 0, std::get<Decimal>(v), field.picture);
            // As wide as the mask allows, so a three-digit field does not look like a text.
            const QString widest(static_cast<int>(field.picture.size()) + 2, '9');
            edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(widest) +
                                  edit->textMargins().left() + edit->textMargins().right() + 16);
            w = edit;
            break;
        }
        case domain::FSysKind::Check: {
            auto* box = new QCheckBox(q(field.caption), parent);
            box->setChecked(std::get<bool>(v));
            w = box;
            break;
        }
        case domain::FSysKind::Text:
            w = make_text(parent, std::get<std::string>(v), fonts);
            break;
    }
    w->setObjectName(q(field.name));
    return w;
}

bool read_f_sys_controls(QWidget& dialog, const std::vector<domain::FSysField>& fields,
                         domain::FSysValues& out) {
    for (const auto& f : fields) {
        QWidget* w = dialog.findChild<QWidget*>(q(f.name));
        if (!w) continue;
        if (auto* edit = qobject_cast<LR_MASKED*>(w)) {
            if (!edit->commit()) {
                reveal(edit);
                edit->setFocus();
                return false;
            }
            out[f.name] = edit->number();
        } else if (auto* box = qobject_cast<QCheckBox*>(w)) {
            out[f.name] = box->isChecked();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            out[f.name] = combo->currentText().toStdString();
        } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
            out[f.name] = line->text().toStdString();
        }
    }
    return true;
}

}  // namespace qz::gui
