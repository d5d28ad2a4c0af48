#pragma once
// ALARM: a small window of up to four lines that long work keeps up to date ("Procesando ...").
// PUT_TEXT shows the texts at once, even while the caller keeps the event loop busy.
#include <QWidget>
#include <string>
#include <vector>

class QLabel;

namespace qz::gui {

class ALARM : public QWidget {
    Q_OBJECT
public:
    // The window of template "ALARM" over `owner` (the main window when null), with its lines
    // in the statics -1 to -4.
    explicit ALARM(QWidget* owner = nullptr, const std::string& title = "Aviso");

    // Writes up to four texts into lines -1 ... -4 (missing ones are emptied), repaints and lets
    // pending window messages run.
    void PUT_TEXT(const std::vector<std::string>& texts);
    // Keeps the window above the others and shows it.
    void ONTOP();
    std::string line(int n) const;  // n = 1..4

private:
    QLabel* m_lines[4] = {};
};

}  // namespace qz::gui
