#include "gui/framework/qt_user_port.h"

#include <QCoreApplication>
#include <QPointer>

#include "gui/framework/message_box.h"
#include "gui/framework/wait_window.h"

namespace qz::gui {

void breathe_events() {
    static bool running = false;
    if (running) return;
    running = true;
    QCoreApplication::processEvents();
    running = false;
}

namespace {
class QtWaitWindow : public WaitWindow {
public:
    QtWaitWindow(QWidget* owner, const std::string& title) : m_wait(new WAIT(owner, title)) {}
    ~QtWaitWindow() override {
        if (m_wait) m_wait->STOP();
    }

    void put_text(const std::string& text) override {
        if (m_wait) m_wait->PUT_TEXT(text);
    }
    void progress(long done, long total) override {
        if (m_wait) m_wait->progress(done, total);
    }
    // Asked in loops that write nothing, so the press of Cancel must be heard here too.
    bool cancelled() override {
        breathe_events();
        return !m_wait || m_wait->Cancelado();
    }

private:
    QPointer<WAIT> m_wait;
};
}  // namespace

void QtUserPort::message(MsgStyle style, const std::string& title, const std::string& text) {
    MESSAGE_BOX(m_window, text, title.empty() ? title_of(style) : title, style_of(style));
}

bool QtUserPort::confirm(const std::string& title, const std::string& text) {
    const std::string shown = title.empty() ? title_of(MsgStyle::Advertencia) : title;
    return MESSAGE_BOX(m_window, text, shown, kMbOkCancel | kMbIconQuestion) == kIdOk;
}

std::unique_ptr<WaitWindow> QtUserPort::wait(const std::string& title) {
    return std::make_unique<QtWaitWindow>(m_window, title);
}

}  // namespace qz::gui
