#include "gui/lists/master_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/amount_edit.h"
#include "gui/framework/dialog_box.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

class MasterForm : public DIALOG_BOX {
public:
    MasterForm(QWidget* owner, const std::string& name, std::string caption,
               std::vector<FormField> fields, const std::function<bool(const FormValues&)>& save)
        : DIALOG_BOX(name, owner),
          m_caption(std::move(caption)),
          m_fields(std::move(fields)),
          m_save(save) {}

    bool Init() override {
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        for (const auto& f : m_fields) form->addRow(q(f.label), make(f));
        layout->addLayout(form);
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text(m_caption);
        return true;
    }

    void SAVE_DATOS() override {
        if (m_save(values())) EndDialog(kCmdOk);
    }

private:
    QWidget* make(const FormField& f) {
        using K = FormField::Kind;
        switch (f.kind) {
            case K::Check: {
                auto* c = Add(new QCheckBox(this), f.id);
                c->setChecked(f.value == "1");
                c->setEnabled(!f.read_only);
                return c;
            }
            case K::Choice: {
                auto* c = Add(new QComboBox(this), f.id);
                for (const auto& [code, caption] : f.choices) c->addItem(q(caption), q(code));
                c->setCurrentIndex(std::max(0, c->findData(q(f.value))));
                c->setEnabled(!f.read_only);
                return c;
            }
            case K::Memo: {
                auto* m = Add(new QPlainTextEdit(q(f.value), this), f.id);
                m->setReadOnly(f.read_only);
                return m;
            }
            case K::Number:
                if (f.amount) {
                    Decimal value;
                    f.amount->read(f.value, value);
                    auto* e = Add(amount_edit(this, f.id, *f.amount, value), f.id);
                    e->setReadOnly(f.read_only);
                    return e;
                }
                [[fallthrough]];
            default: {
                auto* e = Add(new QLineEdit(q(f.value), this), f.id);
                if (f.max_length > 0) e->setMaxLength(f.max_length);
                e->setReadOnly(f.read_only);
                if (f.kind == K::Number) e->setAlignment(Qt::AlignRight);
                if (f.kind == K::Secret) e->setEchoMode(QLineEdit::Password);
                return e;
            }
        }
    }

    FormValues values() const {
        FormValues out;
        for (const auto& f : m_fields) {
            QWidget* w = control(f.id);
            if (auto* c = dynamic_cast<QCheckBox*>(w))
                out[f.id] = c->isChecked() ? "1" : "0";
            else if (auto* b = dynamic_cast<QComboBox*>(w))
                out[f.id] = b->currentData().toString().toStdString();
            else if (auto* m = dynamic_cast<QPlainTextEdit*>(w))
                out[f.id] = m->toPlainText().replace('\n', "\r\n").toStdString();
            else if (auto* e = dynamic_cast<QLineEdit*>(w))
                out[f.id] = e->text().toStdString();
        }
        return out;
    }

    std::string m_caption;
    std::vector<FormField> m_fields;
    const std::function<bool(const FormValues&)>& m_save;
};

}  // namespace

bool read_form_numbers(UserPort& port, const FormValues& values,
                       std::initializer_list<FormNumber> numbers) {
    for (const auto& n : numbers)
        if (const std::string why = n.field->read(values.at(n.id), *n.out); !why.empty()) {
            port.message(MsgStyle::Error, "Error", why);
            return false;
        }
    return true;
}

bool run_master_form(QWidget* owner, const std::string& dlg_name, const std::string& caption,
                     std::vector<FormField> fields,
                     const std::function<bool(const FormValues&)>& save) {
    MasterForm form(owner, dlg_name, caption, std::move(fields), save);
    return form.run() == kCmdOk;
}

}  // namespace qz::gui
