#include "gui/session/users_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "gui/framework/dialog_box.h"
#include "gui/framework/qt_user_port.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& text) { return text.toStdString(); }

// The numeric fields of these forms are N(4) in the tables.
constexpr int kLargestSetting = 9999;

QLineEdit* line(DIALOG_BOX& d, int id, int width, bool secret = false) {
    auto* e = d.Add(new QLineEdit(&d), id);
    e->setMaxLength(width);
    if (secret) e->setEchoMode(QLineEdit::Password);
    return e;
}

QSpinBox* number(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0, kLargestSetting);
    return box;
}

// OK and Cancel as the framework's commands 1 and 2.
QDialogButtonBox* ok_cancel(DIALOG_BOX& d) {
    auto* box = new QDialogButtonBox(&d);
    box->addButton(d.Add(new QPushButton("Aceptar", &d), kCmdOk), QDialogButtonBox::AcceptRole);
    box->addButton(d.Add(new QPushButton("Cancelar", &d), kCmdCancel),
                   QDialogButtonBox::RejectRole);
    return box;
}

// The check boxes of a user, by the field each one sets.
struct UserFlag {
    const char* field;
    const char* caption;
    int domain::UserForm::*member;
};
constexpr UserFlag kUserFlags[] = {
    {"SUPERVISOR", "Supervisor", &domain::UserForm::SUPERVISOR},
    {"PERMISO1", "Puede cambiar su Clave", &domain::UserForm::PERMISO1},
    {"BLOQUEADO", "Bloqueado", &domain::UserForm::BLOQUEADO},
    {"PRECIO_ESP", "Precios Especiales", &domain::UserForm::PRECIO_ESP},
    {"NO_SALIR", "No obligar Salida", &domain::UserForm::NO_SALIR},
    {"NO_CHAT", "Sin Chat", &domain::UserForm::NO_CHAT},
    {"T_SESION", "Sin Límite de Sesión", &domain::UserForm::T_SESION},
};

class UserView {
public:
    UserView(DIALOG_BOX& d, data::Db& db) : m_d(d) {
        auto* fields = new QFormLayout;
        fields->addRow("Usuario:", line(d, kIdUsuario, 20));
        fields->addRow("Nombre de Acceso:", line(d, kIdNombre, 10));
        fields->addRow("Clave:", line(d, kIdPassword, 10, true));
        fields->addRow("Repetir Clave:", line(d, kIdRepeat, 10, true));
        fields->addRow("Abreviatura:", line(d, kIdAbrevia, 10));
        fields->addRow("Días de Vigencia Clave:", d.Add(number(&d, "DIAS_CLAVE"), kIdDiasClave));
        fields->addRow("Tamaño Mínimo Clave:", d.Add(number(&d, "SIZE_CLAVE"), kIdSizeClave));
        fields->addRow("Sobreventa:", d.Add(number(&d, "SOBREVENTA"), kIdSobreventa));
        auto* data_set = d.Add(new QComboBox(&d), kIdDataSet);
        data_set->addItem("Base de Datos Principal", QString());
        for (const auto& sb : domain::list_subbases(db)) data_set->addItem(q(sb.name), q(sb.code));
        fields->addRow("Base de Datos:", data_set);
        auto* language = d.Add(new QComboBox(&d), kIdIdioma);
        language->addItems({"Español", "2ª Idioma"});
        fields->addRow("Idioma:", language);
        for (const char* name : {"EMAIL", "USERNAME", "USERADDR"}) {
            auto* e = new QLineEdit(&d);
            e->setObjectName(name);
            e->setMaxLength(60);
            m_texts.push_back(e);
        }
        fields->addRow("e-mail:", m_texts[0]);
        fields->addRow("Remitente (nombre):", m_texts[1]);
        fields->addRow("Remitente (dirección):", m_texts[2]);

        auto* flags = new QGroupBox("Permisos", &d);
        auto* grid = new QGridLayout(flags);
        int i = 0;
        for (const auto& f : kUserFlags) {
            auto* box = new QCheckBox(f.caption, flags);
            box->setObjectName(f.field);
            grid->addWidget(box, i / 2, i % 2);
            m_flags.push_back(box);
            ++i;
        }
        auto* stamps = new QFormLayout;
        for (const char* name : {"INFO_ENTER", "INFO_BLOQ", "INFO_CLAVE"}) {
            auto* label = new QLabel(&d);
            label->setObjectName(name);
            m_stamps.push_back(label);
        }
        stamps->addRow("Último Ingreso:", m_stamps[0]);
        stamps->addRow("Último Bloqueo:", m_stamps[1]);
        stamps->addRow("Último Cambio de Clave:", m_stamps[2]);

        auto* layout = new QVBoxLayout(&d);
        layout->addLayout(fields);
        layout->addWidget(flags);
        layout->addLayout(stamps);
        layout->addWidget(ok_cancel(d));
    }

    void show(const domain::UserForm& u) {
        text(kIdUsuario)->setText(q(u.USUARIO));
        text(kIdNombre)->setText(q(u.NOMBRE));
        text(kIdAbrevia)->setText(q(u.ABREVIA));
        spin(kIdDiasClave)->setValue(static_cast<int>(u.DIAS_CLAVE));
        spin(kIdSizeClave)->setValue(static_cast<int>(u.SIZE_CLAVE));
        spin(kIdSobreventa)->setValue(static_cast<int>(u.SOBREVENTA));
        auto* data_set = m_d.control_as<QComboBox>(kIdDataSet);
        data_set->setCurrentIndex(std::max(0, data_set->findData(q(u.SUBBASE))));
        m_d.control_as<QComboBox>(kIdIdioma)->setCurrentIndex(u.IDIOMA == 1 ? 1 : 0);
        m_texts[0]->setText(q(u.EMAIL));
        m_texts[1]->setText(q(u.USERNAME));
        m_texts[2]->setText(q(u.USERADDR));
        show_flags(u);
        m_stamps[0]->setText(q(u.INFO_ENTER));
        m_stamps[1]->setText(q(u.INFO_BLOQ));
        m_stamps[2]->setText(q(u.INFO_CLAVE));
    }

    void show_flags(const domain::UserForm& u) {
        for (size_t i = 0; i < m_flags.size(); ++i)
            m_flags[i]->setChecked(u.*kUserFlags[i].member == 1);
    }

    void read(domain::UserForm& u) const {
        u.USUARIO = s(text(kIdUsuario)->text());
        u.NOMBRE = s(text(kIdNombre)->text());
        u.password = s(text(kIdPassword)->text());
        u.repeat = s(text(kIdRepeat)->text());
        u.ABREVIA = s(text(kIdAbrevia)->text());
        u.DIAS_CLAVE = spin(kIdDiasClave)->value();
        u.SIZE_CLAVE = spin(kIdSizeClave)->value();
        u.SOBREVENTA = spin(kIdSobreventa)->value();
        u.SUBBASE = s(m_d.control_as<QComboBox>(kIdDataSet)->currentData().toString());
        u.IDIOMA = m_d.control_as<QComboBox>(kIdIdioma)->currentIndex();
        u.EMAIL = s(m_texts[0]->text());
        u.USERNAME = s(m_texts[1]->text());
        u.USERADDR = s(m_texts[2]->text());
        for (size_t i = 0; i < m_flags.size(); ++i)
            u.*kUserFlags[i].member = m_flags[i]->isChecked() ? 1 : 0;
    }

private:
    QLineEdit* text(int id) const { return m_d.control_as<QLineEdit>(id); }
    QSpinBox* spin(int id) const { return m_d.control_as<QSpinBox>(id); }

    DIALOG_BOX& m_d;
    std::vector<QLineEdit*> m_texts;
    std::vector<QCheckBox*> m_flags;
    std::vector<QLabel*> m_stamps;
};

}  // namespace

bool edit_user_dialog(QWidget* owner, data::Db& db, const std::string& business,
                      domain::UserForm& form) {
    DIALOG_BOX d("EDIT_USER", owner);
    d.Text(form.CODIGO == 0 ? "Agregar Usuario" : "Modificar Usuario");
    UserView view(d, db);
    QtUserPort port(&d);
    d.set_procedure([&](DIALOG_BOX& dlg, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            view.show(form);
            return true;
        }
        if (id != kCmdOk) return false;
        domain::UserForm typed = form;
        view.read(typed);
        const bool saved = domain::save_user(db, port, business, typed).has_value();
        // The rules may have made the user a supervisor; the form shows what they decided.
        view.show_flags(typed);
        if (saved) {
            form = typed;
            dlg.EndDialog(kCmdOk);
        }
        return true;
    });
    return d.run() == kCmdOk;
}

bool edit_profile_dialog(QWidget* owner, data::Db& db, const std::string& business, long code,
                         const std::string& name) {
    DIALOG_BOX d("EDIT_PERFIL", owner);
    d.Text(code == 0 ? "Agregar Perfil de Usuario" : "Modificar Perfil de Usuario");
    auto* layout = new QFormLayout(&d);
    QLineEdit* descrip = line(d, 500, 60);
    descrip->setText(q(name));
    descrip->setMinimumWidth(320);
    layout->addRow("Descripción:", descrip);
    layout->addRow(ok_cancel(d));
    QtUserPort port(&d);
    d.set_procedure([&](DIALOG_BOX& dlg, int message, int id) {
        if (message != DIALOG_BOX::kCommand || id != kCmdOk) return false;
        const std::string typed = s(descrip->text());
        const bool saved = code == 0 ? domain::add_profile(db, port, business, typed).has_value()
                                     : domain::rename_profile(db, port, business, code, typed);
        if (saved) dlg.EndDialog(kCmdOk);
        return true;
    });
    return d.run() == kCmdOk;
}

bool password_rules_dialog(QWidget* owner, data::Db& db, const std::string& business) {
    DIALOG_BOX d("E_CLAVE", owner);
    d.Text("Parámetros p/Cambios de Clave");
    const domain::PasswordRules now = domain::read_password_rules(db, business);
    auto* layout = new QFormLayout(&d);
    QSpinBox* days = number(&d, "DIAS_CLAVE");
    QSpinBox* size = number(&d, "SIZE_CLAVE");
    QSpinBox* attempts = number(&d, "INTENTOS");
    days->setValue(static_cast<int>(now.DIAS_CLAVE));
    size->setValue(static_cast<int>(now.SIZE_CLAVE));
    attempts->setValue(static_cast<int>(now.INTENTOS));
    layout->addRow("Días de Vigencia de la Clave (0 = sin límite):", days);
    layout->addRow("Tamaño Mínimo de la Clave:", size);
    layout->addRow("Intentos de Acceso permitidos:", attempts);
    layout->addRow(ok_cancel(d));
    d.set_procedure([&](DIALOG_BOX& dlg, int message, int id) {
        if (message != DIALOG_BOX::kCommand || id != kCmdOk) return false;
        domain::save_password_rules(db, business,
                                    {days->value(), size->value(), attempts->value()});
        dlg.EndDialog(kCmdOk);
        return true;
    });
    return d.run() == kCmdOk;
}

}  // namespace qz::gui
