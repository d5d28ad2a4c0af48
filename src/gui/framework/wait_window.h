#pragma once
// WAIT: the window a long operation shows. It keeps its owner from taking input, tells how long
// the work has run, shows what the work writes into it and lets the user cancel; the work loop
// asks CANPRINT to know whether to go on.
#include <QDialog>
#include <QElapsedTimer>
#include <optional>
#include <string>

class QLabel;
class QProgressBar;

namespace qz::gui {

class WAIT : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTickMs = 1500;

    // `owner` defaults to the main window.
    explicit WAIT(QWidget* owner = nullptr, const std::string& title = {});
    ~WAIT() override;

    // Writes the lines given (statics 301, 500, 501, 502). With `refresh`, and on every 50th
    // call without it, the window repaints and pending events run, so Cancel is heard.
    void PUT_TEXT(const std::optional<std::string>& l301,
                  const std::optional<std::string>& l500 = std::nullopt,
                  const std::optional<std::string>& l501 = std::nullopt,
                  const std::optional<std::string>& l502 = std::nullopt, bool refresh = true);
    void progress(long done, long total);

    void CANCELAR();
    bool Cancelado() const { return m_cancelled; }
    bool CANPRINT() const { return !m_cancelled; }
    // The work is over: the owner takes input again and the window goes.
    void STOP();
    void ONTOP();

    // Elapsed time as the window shows it: minutes in three places, seconds in two.
    static std::string elapsed_text(long seconds);

protected:
    void timerEvent(QTimerEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    QLabel* m_lines[4];
    QLabel* m_elapsed;
    QProgressBar* m_progress;
    QElapsedTimer m_clock;
    int m_timer = 0;
    int m_calls = 0;
    bool m_cancelled = false;
    bool m_stopping = false;
};

}  // namespace qz::gui
