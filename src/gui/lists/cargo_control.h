#pragma once
// What the combo box and the list box share: visible texts (aItems) and their hidden codes
// (bItems, the "cargos") kept side by side with the entries of the Qt control, whatever order
// the control keeps them in. Positions of this protocol are 1-based (0 = no selection).
#include <optional>
#include <string>
#include <vector>

#include "data/value.h"

namespace qz::gui {

// A hidden code: text, number, date or flag, as the tables hold them.
using Cargo = data::Value;

// Two cargos match when they are of the same kind and equal; texts compare without trailing
// blanks, so a code read from a padded field finds the one a screen typed.
bool same_cargo(const Cargo& a, const Cargo& b);
// A soft match: texts that begin with `wanted` (ignoring case), other kinds only when equal.
bool cargo_begins(const Cargo& cargo, const Cargo& wanted);

class CargoControl {
public:
    virtual ~CargoControl() = default;

    std::string CurItem() const;
    // Replaces the visible text of the selection.
    void _CurItem(const std::string& text);
    std::optional<Cargo> CurCargo() const;
    // Replaces the cargo of the selection.
    void _CurCargo(const Cargo& cargo);
    int Position() const { return current() + 1; }
    // 0 or a value past the end clears the selection.
    void _Position(int position);
    void GoTop() { _Position(1); }
    void GoBottom() { _Position(Len()); }
    void GoTo(int position) { _Position(position); }
    // Moves the selection by n entries, staying on the first or the last one.
    void Skip(int n = 1);
    int Len() const { return static_cast<int>(aItems.size()); }
    int RecCount() const { return Len(); }
    int LastRec() const { return Len(); }
    int RecNo() const { return Position(); }

    // Selects the first entry whose text is `text` (ignoring case and outer blanks), or with
    // `soft`, failing that, the first that begins with it. Without a match nothing changes.
    bool Seek(const std::string& text, bool soft = false);
    // Selects the entry with that cargo (soft: the first that begins with it); without a match
    // the selection is cleared, so a screen never reads the cargo of an unrelated entry.
    bool SeekCargo(const Cargo& cargo, bool soft = false);
    // Removes the entry at a 1-based position (0 = the selection); false when there is none.
    bool Delete(int position = 0);
    void CLEAR();
    const std::vector<std::string>& texts() const { return aItems; }
    const std::vector<Cargo>& cargos() const { return bItems; }

protected:
    // Adds an entry: `index` < 0 lets the control place it (it may sort), else it goes there.
    // Returns the 0-based index where it landed.
    int insert_entry(const std::string& text, int index, const Cargo& cargo);
    int find_cargo(const Cargo& cargo, bool soft) const;

    // The Qt control underneath.
    virtual int current() const = 0;  // 0-based, -1 none
    virtual void set_current(int index) = 0;
    virtual int control_insert(const std::string& text, int index) = 0;
    virtual void control_remove(int index) = 0;
    virtual void control_clear() = 0;
    virtual void control_set_text(int index, const std::string& text) = 0;

    std::vector<std::string> aItems;
    std::vector<Cargo> bItems;
};

}  // namespace qz::gui
