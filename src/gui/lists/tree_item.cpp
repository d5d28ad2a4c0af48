#include "gui/lists/tree_item.h"

#include "core/text.h"

namespace qz::gui {

void TreeNodeItem::SetText(const std::string& text) { cPrompt = trim(text); }

std::optional<Cargo> TVITEM::Getcargo(int slot) const {
    if (slot < 1 || slot > 7) return std::nullopt;
    return m_cargo[static_cast<size_t>(slot - 1)];
}

void TVITEM::SetCargo(const std::optional<Cargo>& cargo, int slot) {
    if (slot >= 1 && slot <= 7) m_cargo[static_cast<size_t>(slot - 1)] = cargo;
}

std::optional<Cargo> TVITEM2::Getcargo(int slot) const {
    if (slot < 1 || slot > 4) return std::nullopt;
    return m_cargo[static_cast<size_t>(slot - 1)];
}

void TVITEM2::SetCargo(const std::optional<Cargo>& cargo, int slot) {
    if (slot >= 1 && slot <= 4) m_cargo[static_cast<size_t>(slot - 1)] = cargo;
}

void TVITEM2::_Marked(bool on) { MARK_TB = MARK_TB - MARK_TB % 2 + (on ? 1 : 0); }

void TVITEM2::_FOUND(bool on) {
    const int low = MARK_TB % 20;
    MARK_TB = MARK_TB - low + low % 2 + (on ? 2 : 0);
}

}  // namespace qz::gui
