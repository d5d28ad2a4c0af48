#pragma once
// CCOMBOBOX: a QComboBox of a dialog with a cargo beside every entry. Screens fill it from a
// table (descriptions shown, codes as cargos) and read CurCargo.
#include <string>
#include <vector>

#include "gui/lists/cargo_control.h"

class QComboBox;

namespace qz::gui {

class DialogFrame;

class CCOMBOBOX : public CargoControl {
public:
    // Init: the combo of control `id` of the dialog, emptied, nothing selected. A combo whose
    // "sorted" property is true keeps its entries in alphabetical order (ignoring case).
    CCOMBOBOX(DialogFrame& dialog, int id);
    explicit CCOMBOBOX(QComboBox* control);

    // Adds an entry: position 0 lets the control place it (at the end, or in order when it
    // sorts); position n (1-based) inserts it before the n-th entry. Returns its 0-based index.
    int Add(const std::string& text, int position = 0, const Cargo& cargo = {});
    void CLEAR_COMBO() { CLEAR(); }
    std::vector<Cargo> GET_CARGOS() const { return bItems; }
    void DESELECT() { set_current(-1); }

    void set_sorted(bool sorted);
    bool sorted() const;
    QComboBox* widget() const { return m_box; }

protected:
    int current() const override;
    void set_current(int index) override;
    int control_insert(const std::string& text, int index) override;
    void control_remove(int index) override;
    void control_clear() override;
    void control_set_text(int index, const std::string& text) override;

private:
    QComboBox* m_box;
};

}  // namespace qz::gui
