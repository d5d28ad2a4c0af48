#pragma once
// SEARCHOB: the search window of the grids (template "OBSEARCH"). One window serves the whole
// program; it is hidden between uses and remembers where the user left it. Enter seeks the typed
// key in the grid's order; F2 scans the grid's column for the text or a range of dates or
// numbers, F3 goes on from the next row with the chosen earlier search.
#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>
#include <string>

#include "gui/browse/wbcolumn.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace qz::gui {

class WBLISTBOX;

class SEARCHOB : public QDialog {
    Q_OBJECT
public:
    // Opens the window over `grid` with `first` typed ("a".."i" stand for the keypad's 1..9), or
    // adds `first` to the text of the window already open for it.
    static void open(WBLISTBOX& grid, const QString& first);
    // The one window (XSEARCH_WINDOW); null before the first search.
    static SEARCHOB* XSEARCH_WINDOW();
    // 1 while a search is open.
    static int XSEARCH_ACTIVE();

    void DO_SEARCH();
    // Scans from the current row (included) for the typed search.
    bool DO_LOCATE();
    // Scans from the row after (or before) the current one for the chosen earlier search.
    bool DO_CONTINUE();
    void Terminar();
    WBLISTBOX* grid() const { return m_grid; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void reject() override { Terminar(); }

private:
    SEARCHOB();
    bool Reset_Data(WBLISTBOX& grid, const QString& first);
    bool scan(const std::string& text, const std::string& upper, bool skip_current);
    bool matches(const CellValue& v, const std::string& text, const std::string& upper) const;
    void choose_earlier(int index);

    QPointer<WBLISTBOX> m_grid;
    QPointer<QWidget> m_owner;
    int m_column = 1;
    QLineEdit* m_text = nullptr;
    QLineEdit* m_upper = nullptr;
    QRadioButton* m_down = nullptr;
    QRadioButton* m_up = nullptr;
    QComboBox* m_last = nullptr;
    std::optional<QRect> m_geometry;  // XGLOBAL_OBSEARCH
};

}  // namespace qz::gui
