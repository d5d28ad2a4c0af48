#pragma once
// CListBox: a QListWidget of a dialog with a cargo beside every entry, with the multiple
// selection screens use to pick several codes at once. Indexes of the methods that name an
// "index" are 0-based, as the control counts; positions (Position, GoTo, Delete) are 1-based.
#include <optional>
#include <string>
#include <vector>

#include "gui/lists/cargo_control.h"

class QListWidget;

namespace qz::gui {

class DialogFrame;

class CListBox : public CargoControl {
public:
    // Init: the list of control `id` of the dialog, emptied. A list with sorting enabled keeps
    // its entries in order, and the cargos follow.
    CListBox(DialogFrame& dialog, int id);
    explicit CListBox(QListWidget* control);

    // Adds an entry: position 0 lets the control place it; another position is the 0-based
    // index to insert at. Returns the 0-based index where the entry landed.
    int Add(const std::string& text, int position = 0, const Cargo& cargo = {});
    void CLEAR_LISTBOX() { CLEAR(); }

    // Cargos of the selected entries, in the list's order (GetBCargos is the same list).
    std::vector<Cargo> GetCargos() const;
    std::vector<Cargo> GetBCargos() const { return GetCargos(); }
    std::vector<Cargo> GetInfoCargo() const { return bItems; }
    bool ISSELECTED(const Cargo& cargo) const;
    // Selects (or deselects) the entry at `index` (-1: the current one); false when none.
    bool SELECTITEM(int index = -1, bool on = true);
    bool SELECTCARGO(const Cargo& cargo, bool on = true);
    // 0-based index of the entry with that cargo, -1 when none.
    int POS_CARGO(const Cargo& cargo) const { return find_cargo(cargo, false); }
    std::optional<Cargo> GET_POSCARGO(int index) const;
    // Replaces the text of the entry with that cargo (a sorted list moves it to its place).
    bool SET_TEXT(const Cargo& cargo, const std::string& text);

    QListWidget* widget() const { return m_list; }

protected:
    int current() const override;
    void set_current(int index) override;
    int control_insert(const std::string& text, int index) override;
    void control_remove(int index) override;
    void control_clear() override;
    void control_set_text(int index, const std::string& text) override;

private:
    bool multiple() const;
    QListWidget* m_list;
};

}  // namespace qz::gui
