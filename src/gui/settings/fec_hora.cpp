#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/clock.h"
#include "gui/framework/dialog_box.h"
#include "gui/settings/settings_dialogs.h"

namespace qz::gui {

bool open_fec_hora(QWidget* owner, domain::AppSettings& settings, Clock& clock) {
    DIALOG_BOX dialog("FEC_HORA", owner);
    auto* layout = new QVBoxLayout(&dialog);
    auto* local =
        new QCheckBox("Usar Fecha/Hora de esta estación en lugar de la del servidor", &dialog);
    local->setObjectName("XFEC_HORA_LOCAL");
    local->setChecked(settings.XFEC_HORA_LOCAL == 1);
    layout->addWidget(local);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(dialog.Add(new QPushButton("Aceptar", &dialog), kCmdOk, [&] {
        domain::set_fec_hora_local(settings, clock, local->isChecked());
        dialog.EndDialog(kCmdOk);
    }));
    buttons->addWidget(dialog.Add(new QPushButton("Cancelar", &dialog), kCmdCancel));
    layout->addLayout(buttons);
    dialog.Text("Acceso Fecha/Hora");
    return dialog.run() == kCmdOk;
}

}  // namespace qz::gui
