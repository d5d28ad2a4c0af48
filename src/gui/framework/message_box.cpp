#include "gui/framework/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/framework/workspace.h"

namespace qz::gui {

namespace {
MessageBoxScript* g_script = nullptr;

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape;
};

ButtonSet buttons_of(int style) {
    using B = QMessageBox;
    switch (style & 0x0F) {
        case kMbOkCancel:
            return {B::Ok | B::Cancel, B::Cancel};
        case kMbAbortRetryIgnore:
            return {B::Abort | B::Retry | B::Ignore, B::Ignore};
        case kMbYesNoCancel:
            return {B::Yes | B::No | B::Cancel, B::Cancel};
        case kMbYesNo:
            return {B::Yes | B::No, B::No};
        case kMbRetryCancel:
            return {B::Retry | B::Cancel, B::Cancel};
        default:
            return {B::Ok, B::Ok};
    }
}

QMessageBox::Icon icon_of(int style) {
    switch (style & 0xF0) {
        case kMbIconStop:
            return QMessageBox::Critical;
        case kMbIconQuestion:
            return QMessageBox::Question;
        case kMbIconExclamation:
            return QMessageBox::Warning;
        case kMbIconInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

struct IdButton {
    int id;
    QMessageBox::StandardButton button;
};
constexpr IdButton kIdButtons[] = {
    {kIdOk, QMessageBox::Ok},         {kIdCancel, QMessageBox::Cancel},
    {kIdAbort, QMessageBox::Abort},   {kIdRetry, QMessageBox::Retry},
    {kIdIgnore, QMessageBox::Ignore}, {kIdYes, QMessageBox::Yes},
    {kIdNo, QMessageBox::No}};

int id_of(QMessageBox::StandardButton b) {
    for (const auto& ib : kIdButtons)
        if (ib.button == b) return ib.id;
    return kIdCancel;
}

QMessageBox::StandardButton button_of(int id) {
    for (const auto& ib : kIdButtons)
        if (ib.id == id) return ib.button;
    return QMessageBox::Ok;
}
}  // namespace

int default_answer(int style) {
    switch (style & 0x0F) {
        case kMbAbortRetryIgnore:
            return kIdAbort;
        case kMbYesNoCancel:
        case kMbYesNo:
            return kIdYes;
        case kMbRetryCancel:
            return kIdRetry;
        default:
            return kIdOk;
    }
}

std::string title_of(MsgStyle style) {
    switch (style) {
        case MsgStyle::Error:
            return "Error";
        case MsgStyle::Atencion:
            return "Atencion";
        case MsgStyle::Aviso:
            return "Aviso";
        case MsgStyle::Advertencia:
            return "Advertencia";
        case MsgStyle::Alerta:
            return "Alerta";
    }
    return "Aviso";
}

int style_of(MsgStyle style) {
    switch (style) {
        case MsgStyle::Error:
            return kMbIconStop;
        case MsgStyle::Atencion:
        case MsgStyle::Alerta:
            return kMbIconExclamation;
        case MsgStyle::Aviso:
            return kMbIconInformation;
        case MsgStyle::Advertencia:
            return kMbOkCancel | kMbIconQuestion;
    }
    return kMbOk;
}

int MESSAGE_BOX(QWidget* parent, const std::string& text, const std::string& title, int style) {
    if (auto* script = MessageBoxScript::active()) return script->answer(title, text, style);
    const ButtonSet set = buttons_of(style);
    QMessageBox box(icon_of(style), QString::fromStdString(title), QString::fromStdString(text),
                    set.buttons, dialog_owner(parent));
    box.setObjectName("MESSAGE_BOX");
    box.setEscapeButton(set.escape);
    box.setDefaultButton(button_of(default_answer(style)));
    box.exec();
    auto* clicked = box.clickedButton();
    return id_of(clicked ? box.standardButton(clicked) : set.escape);
}

MessageBoxScript::MessageBoxScript() : m_previous(g_script) { g_script = this; }
MessageBoxScript::~MessageBoxScript() { g_script = m_previous; }

MessageBoxScript* MessageBoxScript::active() { return g_script; }

MessageBoxScript& MessageBoxScript::then(int answer) {
    m_answers.push_back(answer);
    return *this;
}

std::string MessageBoxScript::last_text() const {
    return m_shown.empty() ? std::string() : m_shown.back().text;
}

int MessageBoxScript::answer(const std::string& title, const std::string& text, int style) {
    int a = default_answer(style);
    if (!m_answers.empty()) {
        a = m_answers.front();
        m_answers.pop_front();
    }
    m_shown.push_back({title, text, style, a});
    return a;
}

}  // namespace qz::gui
