#include "gui/framework/wait_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/text.h"
#include "gui/framework/qt_user_port.h"
#include "gui/framework/workspace.h"

namespace qz::gui {

WAIT::WAIT(QWidget* owner, const std::string& title) : QDialog(dialog_owner(owner)) {
    setObjectName("WAIT");
    setWindowTitle(QString::fromStdString(title));
    auto* layout = new QVBoxLayout(this);
    const int ids[] = {301, 500, 501, 502};
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(this);
        m_lines[i]->setObjectName(QString::number(ids[i]));
        m_lines[i]->setMinimumWidth(360);
        layout->addWidget(m_lines[i]);
    }
    m_progress = new QProgressBar(this);
    m_progress->setVisible(false);
    layout->addWidget(m_progress);
    m_elapsed = new QLabel(QString::fromStdString(elapsed_text(0)), this);
    m_elapsed->setObjectName("503");
    m_elapsed->setAlignment(Qt::AlignRight);
    layout->addWidget(m_elapsed);
    auto* cancel = new QPushButton("Cancelar", this);
    cancel->setObjectName("2");
    connect(cancel, &QPushButton::clicked, this, &WAIT::CANCELAR);
    layout->addWidget(cancel, 0, Qt::AlignHCenter);

    m_lines[0]->setText("Preparando ambiente...");
    // Window-modal: the owner takes no input while the work runs, this window does.
    if (parentWidget()) setWindowModality(Qt::WindowModal);
    m_clock.start();
    m_timer = startTimer(kTickMs);
    show();
}

WAIT::~WAIT() = default;

std::string WAIT::elapsed_text(long seconds) {
    return pad_left(std::to_string(seconds / 60), 3) + ":" +
           pad_left(std::to_string(seconds % 60), 2, '0');
}

void WAIT::PUT_TEXT(const std::optional<std::string>& l301, const std::optional<std::string>& l500,
                    const std::optional<std::string>& l501, const std::optional<std::string>& l502,
                    bool refresh) {
    const std::optional<std::string>* lines[] = {&l301, &l500, &l501, &l502};
    for (int i = 0; i < 4; ++i)
        if (*lines[i]) m_lines[i]->setText(QString::fromStdString(**lines[i]));
    if (refresh || ++m_calls % 50 == 0) {
        repaint();
        breathe_events();
    }
}

void WAIT::progress(long done, long total) {
    m_progress->setVisible(total > 0);
    m_progress->setRange(0, 1000);
    m_progress->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    breathe_events();
}

void WAIT::CANCELAR() {
    if (m_cancelled) return;
    m_cancelled = true;
    m_lines[0]->setText("Cancelando proceso...");
    for (int i = 1; i < 4; ++i) m_lines[i]->clear();
    if (m_timer) killTimer(m_timer);
    m_timer = 0;
}

void WAIT::STOP() {
    m_stopping = true;
    if (m_timer) killTimer(m_timer);
    m_timer = 0;
    hide();
    deleteLater();
}

void WAIT::ONTOP() {
    showNormal();
    raise();
    activateWindow();
}

void WAIT::timerEvent(QTimerEvent*) {
    const auto text = QString::fromStdString(elapsed_text(m_clock.elapsed() / 1000));
    if (isMinimized())
        setWindowTitle(text);
    else
        m_elapsed->setText(text);
}

// Closing the window while the work runs is a request to cancel; the work then calls STOP.
void WAIT::closeEvent(QCloseEvent* e) {
    if (!m_stopping) CANCELAR();
    e->setAccepted(m_stopping);
}

void WAIT::reject() { CANCELAR(); }

}  // namespace qz::gui
