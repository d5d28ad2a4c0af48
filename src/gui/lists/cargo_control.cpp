#include "gui/lists/cargo_control.h"

#include <algorithm>

#include "core/text.h"

namespace qz::gui {

bool same_cargo(const Cargo& a, const Cargo& b) {
    if (a.index() != b.index()) return false;
    if (auto* s = std::get_if<std::string>(&a)) return rtrim(*s) == rtrim(std::get<std::string>(b));
    return a == b;
}

bool cargo_begins(const Cargo& cargo, const Cargo& wanted) {
    auto* s = std::get_if<std::string>(&cargo);
    auto* w = std::get_if<std::string>(&wanted);
    if (!s || !w) return same_cargo(cargo, wanted);
    return starts_with(upper_ascii(*s), upper_ascii(rtrim(*w)));
}

std::string CargoControl::CurItem() const {
    const int i = current();
    return i >= 0 ? aItems[static_cast<size_t>(i)] : std::string();
}

void CargoControl::_CurItem(const std::string& text) {
    const int i = current();
    if (i < 0) return;
    aItems[static_cast<size_t>(i)] = trim(text);
    control_set_text(i, trim(text));
}

std::optional<Cargo> CargoControl::CurCargo() const {
    const int i = current();
    if (i < 0) return std::nullopt;
    return bItems[static_cast<size_t>(i)];
}

void CargoControl::_CurCargo(const Cargo& cargo) {
    const int i = current();
    if (i >= 0) bItems[static_cast<size_t>(i)] = cargo;
}

void CargoControl::_Position(int position) {
    set_current(position >= 1 && position <= Len() ? position - 1 : -1);
}

void CargoControl::Skip(int n) {
    if (Len() == 0) return;
    _Position(std::clamp(Position() + n, 1, Len()));
}

bool CargoControl::Seek(const std::string& text, bool soft) {
    const std::string wanted = upper_ascii(trim(text));
    for (int i = 0; i < Len(); ++i)
        if (upper_ascii(aItems[static_cast<size_t>(i)]) == wanted) return set_current(i), true;
    if (!soft) return false;
    for (int i = 0; i < Len(); ++i)
        if (starts_with(upper_ascii(aItems[static_cast<size_t>(i)]), wanted))
            return set_current(i), true;
    return false;
}

int CargoControl::find_cargo(const Cargo& cargo, bool soft) const {
    for (int i = 0; i < Len(); ++i)
        if (same_cargo(bItems[static_cast<size_t>(i)], cargo)) return i;
    if (soft)
        for (int i = 0; i < Len(); ++i)
            if (cargo_begins(bItems[static_cast<size_t>(i)], cargo)) return i;
    return -1;
}

bool CargoControl::SeekCargo(const Cargo& cargo, bool soft) {
    const int i = find_cargo(cargo, soft);
    set_current(i);
    return i >= 0;
}

bool CargoControl::Delete(int position) {
    const int i = position == 0 ? current() : position - 1;
    if (i < 0 || i >= Len()) return false;
    control_remove(i);
    aItems.erase(aItems.begin() + i);
    bItems.erase(bItems.begin() + i);
    return true;
}

void CargoControl::CLEAR() {
    control_clear();
    aItems.clear();
    bItems.clear();
}

int CargoControl::insert_entry(const std::string& text, int index, const Cargo& cargo) {
    const std::string t = trim(text);
    if (index > Len()) index = Len();
    const int at = control_insert(t, index);
    aItems.insert(aItems.begin() + at, t);
    bItems.insert(bItems.begin() + at, cargo);
    return at;
}

}  // namespace qz::gui
