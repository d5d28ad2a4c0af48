#include "gui/errors/error_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/framework/dialog_box.h"
#include "gui/logs/log_screen.h"

namespace qz::gui {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

domain::ErrorAnswer answer_of(int result) {
    switch (result) {
        case domain::kErrRetryButton:
            return domain::ErrorAnswer::Retry;
        case domain::kErrDefaultButton:
            return domain::ErrorAnswer::Default;
        default:
            return domain::ErrorAnswer::Leave;
    }
}

}  // namespace

domain::ErrorAnswer ERROR_SPEC(QWidget* owner, const domain::ErrorWindow& w) {
    DIALOG_BOX dialog(w.dialog, owner);
    auto* layout = new QVBoxLayout(&dialog);

    auto* heading = new QLabel(q(w.heading), &dialog);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setStyleSheet("color: #b00000;");
    layout->addWidget(heading);

    auto* message = new QLineEdit(display_text(w.message), &dialog);
    message->setObjectName("errMessage");
    message->setReadOnly(true);
    message->setCursorPosition(0);
    layout->addWidget(message);

    auto* detail = new QPlainTextEdit(display_text(w.detail_box), &dialog);
    detail->setObjectName("sMessage");
    detail->setReadOnly(true);
    detail->setLineWrapMode(QPlainTextEdit::NoWrap);
    detail->setMinimumSize(560, 220);
    layout->addWidget(detail);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    QPushButton* first_enabled = nullptr;
    for (const auto& b : w.buttons) {
        auto* button = dialog.Add(new QPushButton(q(b.caption), &dialog), b.id,
                                  [&dialog, id = b.id] { dialog.EndDialog(id); });
        button->setEnabled(b.enabled);
        if (b.enabled && !first_enabled) first_enabled = button;
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
    dialog.Text(w.title);
    if (first_enabled) first_enabled->setFocus();
    return answer_of(dialog.run());
}

}  // namespace qz::gui
