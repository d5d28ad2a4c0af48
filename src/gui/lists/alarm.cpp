#include "gui/lists/alarm.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/framework/workspace.h"

namespace qz::gui {

ALARM::ALARM(QWidget* owner, const std::string& title) : QWidget(dialog_owner(owner), Qt::Tool) {
    setObjectName("ALARM");
    setWindowTitle(QString::fromStdString(title));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(QString::number(-(i + 1)));
        m_lines[i]->setMinimumWidth(320);
        layout->addWidget(m_lines[i]);
    }
}

void ALARM::PUT_TEXT(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < 4; ++i)
        m_lines[i]->setText(i < texts.size() ? QString::fromStdString(texts[i]) : QString());
    if (!isVisible()) show();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ALARM::ONTOP() {
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
    raise();
}

std::string ALARM::line(int n) const {
    if (n < 1 || n > 4) return {};
    return m_lines[n - 1]->text().toStdString();
}

}  // namespace qz::gui
