#include "gui/lists/listbox.h"

#include <QListWidget>

#include "core/text.h"
#include "gui/framework/dialog_frame.h"

namespace qz::gui {

CListBox::CListBox(DialogFrame& dialog, int id) : CListBox(dialog.control_as<QListWidget>(id)) {}

CListBox::CListBox(QListWidget* control) : m_list(control) { m_list->clear(); }

int CListBox::Add(const std::string& text, int position, const Cargo& cargo) {
    return insert_entry(text, position > 0 ? position : -1, cargo);
}

bool CListBox::multiple() const {
    return m_list->selectionMode() == QAbstractItemView::MultiSelection ||
           m_list->selectionMode() == QAbstractItemView::ExtendedSelection;
}

std::vector<Cargo> CListBox::GetCargos() const {
    std::vector<Cargo> out;
    for (int i = 0; i < Len(); ++i)
        if (m_list->item(i)->isSelected()) out.push_back(bItems[static_cast<size_t>(i)]);
    return out;
}

bool CListBox::ISSELECTED(const Cargo& cargo) const {
    const int i = POS_CARGO(cargo);
    return i >= 0 && m_list->item(i)->isSelected();
}

bool CListBox::SELECTITEM(int index, bool on) {
    if (index < 0) index = current();
    if (index < 0 || index >= Len()) return false;
    m_list->item(index)->setSelected(on);
    return true;
}

bool CListBox::SELECTCARGO(const Cargo& cargo, bool on) {
    const int i = POS_CARGO(cargo);
    return i >= 0 && SELECTITEM(i, on);
}

std::optional<Cargo> CListBox::GET_POSCARGO(int index) const {
    if (index < 0 || index >= Len()) return std::nullopt;
    return bItems[static_cast<size_t>(index)];
}

bool CListBox::SET_TEXT(const Cargo& cargo, const std::string& text) {
    const int i = POS_CARGO(cargo);
    if (i < 0) return false;
    if (!m_list->isSortingEnabled()) {
        aItems[static_cast<size_t>(i)] = trim(text);
        control_set_text(i, trim(text));
        return true;
    }
    // The entry goes out and back in, so its new text finds its place and the cargo follows.
    const bool selected = m_list->item(i)->isSelected();
    const bool was_current = current() == i;
    Delete(i + 1);
    const int at = Add(text, 0, cargo);
    m_list->item(at)->setSelected(selected);
    if (was_current) set_current(at);
    return true;
}

int CListBox::current() const { return m_list->currentRow(); }

void CListBox::set_current(int index) {
    const QModelIndex at = index >= 0 ? m_list->model()->index(index, 0) : QModelIndex();
    // A list of one selection follows the cursor; in a multiple one the cursor only moves.
    m_list->selectionModel()->setCurrentIndex(
        at, multiple() ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
}

int CListBox::control_insert(const std::string& text, int index) {
    auto* item = new QListWidgetItem(QString::fromStdString(text));
    if (index < 0)
        m_list->addItem(item);
    else
        m_list->insertItem(index, item);
    return m_list->row(item);
}

void CListBox::control_remove(int index) { delete m_list->takeItem(index); }
void CListBox::control_clear() { m_list->clear(); }
void CListBox::control_set_text(int index, const std::string& text) {
    m_list->item(index)->setText(QString::fromStdString(text));
}

}  // namespace qz::gui
