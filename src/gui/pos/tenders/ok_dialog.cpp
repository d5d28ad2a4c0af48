#include "gui/pos/tenders/ok_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"

namespace qz::gui {

int run_ok_dialog(QWidget* owner, const OkDialog& spec) {
    DIALOG_BOX d(spec.name, owner);
    d.set_procedure([&spec](DIALOG_BOX& self, int message, int id) {
        if (message == DIALOG_BOX::kInitDialog) {
            auto* layout = new QVBoxLayout(&self);
            spec.build(self, *layout);
            auto* buttons = new QHBoxLayout;
            buttons->addStretch();
            buttons->addWidget(self.Add(new QPushButton("Aceptar", &self), kCmdOk));
            buttons->addWidget(self.Add(new QPushButton("Cancelar", &self), kCmdCancel));
            layout->addLayout(buttons);
            self.Text(spec.caption);
            self.resize(spec.width, spec.height);
            return true;
        }
        if (message == DIALOG_BOX::kCommand && id == kCmdOk) {
            spec.accept(self);
            return true;
        }
        return false;
    });
    return d.run();
}

}  // namespace qz::gui
