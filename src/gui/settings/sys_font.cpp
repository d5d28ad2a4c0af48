#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "domain/session/settings_store.h"
#include "gui/framework/dialog_box.h"
#include "gui/framework/framework_settings.h"
#include "gui/settings/f_sys_controls.h"
#include "gui/settings/settings_dialogs.h"

namespace qz::gui {

namespace {

class SysFontDialog : public DIALOG_BOX {
public:
    SysFontDialog(QWidget* owner, data::Db& db, domain::AppSettings& settings)
        : DIALOG_BOX("SYS_FONT", owner), m_db(db), m_settings(settings) {}

    bool Init() override {
        const auto& fields = domain::sys_font_fields();
        const domain::FSysValues stored = domain::read_f_sys(m_db, fields);
        auto* layout = new QVBoxLayout(this);
        auto* form = new QFormLayout;
        for (const auto& f : fields)
            if (QWidget* control =
                    make_f_sys_control(this, f, stored, &m_settings.XAVAILABLE_FONTS))
                form->addRow(QString::fromStdString(f.caption), control);
        layout->addLayout(form);

        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Add(new QPushButton("Aceptar", this), kCmdOk, [this] { SAVE_DATOS(); }));
        buttons->addWidget(Add(new QPushButton("Cancelar", this), kCmdCancel));
        layout->addLayout(buttons);
        Text("Fuente Despliegue de Datos");
        return true;
    }

    void SAVE_DATOS() override {
        domain::FSysValues values;
        if (!read_f_sys_controls(*this, domain::sys_font_fields(), values)) return;
        domain::save_sys_font(m_db, m_settings, values);
        // Screens take their font from the framework when they are built.
        set_XGLOBAL_FONT_NAME(m_settings.XGLOBAL_FONT_NAME);
        EndDialog(kCmdOk);
    }

private:
    data::Db& m_db;
    domain::AppSettings& m_settings;
};

}  // namespace

bool open_sys_font(QWidget* owner, data::Db& db, domain::AppSettings& settings) {
    SysFontDialog dialog(owner, db, settings);
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
