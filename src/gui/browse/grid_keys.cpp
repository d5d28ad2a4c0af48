// Keys of a grid: the screen's blocks first, then navigation, copying and typing search.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "gui/browse/browse_settings.h"
#include "gui/browse/searchob.h"
#include "gui/browse/wblistbox.h"
#include "core/text.h"
#include "gui/framework/message_box.h"

namespace qz::gui {

namespace {
bool is_navigation(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}
}  // namespace

// The character a key types into the search window: letters as capitals (the key, not the
// shift state, decides), digits, and the keypad: 0 as "0", 1 to 9 as "a" to "i" (the search
// window reads them back as digits), its operators as themselves.
bool WBLISTBOX::typing_key(QKeyEvent& e, QString& out) const {
    const int k = e.key();
    if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (keypad && k >= Qt::Key_0 && k <= Qt::Key_9) {
        out = k == Qt::Key_0 ? QString("0") : QString(QChar('a' + (k - Qt::Key_1)));
        return true;
    }
    if (keypad && !e.text().isEmpty() && QString("*+-./").contains(e.text())) {
        out = e.text();
        return true;
    }
    if (k >= Qt::Key_A && k <= Qt::Key_Z) {
        out = QChar('A' + (k - Qt::Key_A));
        return true;
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        out = QChar('0' + (k - Qt::Key_0));
        return true;
    }
    return false;
}

bool WBLISTBOX::navigation_key(QKeyEvent& e) {
    const bool ctrl = e.modifiers() & Qt::ControlModifier;
    switch (e.key()) {
    case Qt::Key_Up: UP(); return true;
    case Qt::Key_Down: DOWN(); return true;
    case Qt::Key_PageUp: PAGEUP(); return true;
    case Qt::Key_PageDown: PAGEDOWN(); return true;
    case Qt::Key_Home: HOME(); return true;
    case Qt::Key_End: END(); return true;
    case Qt::Key_Left: ctrl ? HOME() : LEFT(); return true;
    case Qt::Key_Right: ctrl ? END() : RIGHT(); return true;
    case Qt::Key_Tab: focusNextPrevChild(true); return true;
    case Qt::Key_Backtab: focusNextPrevChild(false); return true;
    default: return false;
    }
}

void WBLISTBOX::keyPressEvent(QKeyEvent* e) {
    e->accept();
    if (!m_active) return;
    if (e->matches(QKeySequence::Copy)) return copy_cell();
    const int column = Col_Pos();
    const bool pass = std::find(m_pass_through.begin(), m_pass_through.end(), column) !=
                      m_pass_through.end();
    if (pass && !is_navigation(e->key())) {
        if (m_pass_block) m_pass_block(*e);
        return;
    }
    if (key_Block && key_Block(*e)) return;
    if (navigation_key(*e)) return;
    QString typed;
    if (!m_no_search && typing_key(*e, typed)) open_search(typed);
}

// Space passes the current row to the select block again, once the key is let go.
void WBLISTBOX::keyReleaseEvent(QKeyEvent* e) {
    e->accept();
    if (m_active && e->key() == Qt::Key_Space && !e->isAutoRepeat() && Sel_Block &&
        currentIndex().isValid())
        Sel_Block();
}

void WBLISTBOX::copy_cell() {
    if (!m_active || !currentIndex().isValid()) return;
    auto [value, picture] = getCellData();
    const auto* text = std::get_if<std::string>(&value);
    if (!text) {
        MESSAGE_BOX(this, "El dato debe ser tipo Caracter", "Atención", kMbOk | kMbIconExclamation);
        return;
    }
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard) {
        MESSAGE_BOX(this, "No Clipboard available", "Atención", kMbOk | kMbIconExclamation);
        return;
    }
    clipboard->setText(QString::fromStdString(*text + " "));
    remember_search(rtrim(*text));
}

}  // namespace qz::gui
