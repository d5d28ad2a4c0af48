#include "gui/lists/combobox.h"

#include <QComboBox>
#include <algorithm>

#include "gui/framework/dialog_frame.h"

namespace qz::gui {

CCOMBOBOX::CCOMBOBOX(DialogFrame& dialog, int id) : CCOMBOBOX(dialog.control_as<QComboBox>(id)) {}

CCOMBOBOX::CCOMBOBOX(QComboBox* control) : m_box(control) {
    m_box->clear();
    m_box->setCurrentIndex(-1);
}

int CCOMBOBOX::Add(const std::string& text, int position, const Cargo& cargo) {
    return insert_entry(text, position > 0 ? position - 1 : -1, cargo);
}

void CCOMBOBOX::set_sorted(bool sorted) { m_box->setProperty("sorted", sorted); }
bool CCOMBOBOX::sorted() const { return m_box->property("sorted").toBool(); }

int CCOMBOBOX::current() const { return m_box->currentIndex(); }
void CCOMBOBOX::set_current(int index) { m_box->setCurrentIndex(index); }

int CCOMBOBOX::control_insert(const std::string& text, int index) {
    const QString t = QString::fromStdString(text);
    if (index < 0 && sorted()) {
        // After the entries that sort before or equal to it, as a sorted Windows combo does.
        int lo = 0, hi = m_box->count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (QString::compare(m_box->itemText(mid), t, Qt::CaseInsensitive) <= 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        index = lo;
    }
    if (index < 0) index = m_box->count();
    // Qt selects the first entry put into an empty combo; adding never changes the selection.
    const bool none = m_box->currentIndex() < 0;
    m_box->insertItem(index, t);
    if (none) m_box->setCurrentIndex(-1);
    return index;
}

void CCOMBOBOX::control_remove(int index) { m_box->removeItem(index); }
void CCOMBOBOX::control_clear() {
    m_box->clear();
    m_box->setCurrentIndex(-1);
}
void CCOMBOBOX::control_set_text(int index, const std::string& text) {
    m_box->setItemText(index, QString::fromStdString(text));
}

}  // namespace qz::gui
