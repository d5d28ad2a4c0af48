#include "gui/lists/tree_link.h"

#include <algorithm>

#include "core/text.h"
#include "gui/lists/tree_model.h"
#include "gui/lists/treeview.h"

namespace qz::gui {

TREELINK::TREELINK(TREEVIEW& tree, TREELINK* parent, std::unique_ptr<TreeNodeItem> item)
    : m_tree(tree), m_parent(parent), T_Item(std::move(item)) {}

TREELINK::~TREELINK() = default;

TREELINK* TREELINK::insert_child(int at, const std::string& text,
                                 const std::optional<Cargo>& cargo) {
    if (m_tree.T_SORT != 0) at = m_tree.sorted_row(this, trim(text), cargo);
    at = std::clamp(at, 0, static_cast<int>(m_children.size()));
    auto item = m_tree.new_item();
    item->SetText(text);
    item->SetCargo(cargo);
    auto node = std::make_unique<TREELINK>(m_tree, this, std::move(item));
    TREELINK* made = node.get();
    m_tree.model_().inserting(this, at);
    m_children.insert(m_children.begin() + at, std::move(node));
    renumber(at);
    m_tree.model_().inserted();
    m_tree.UPDATESEEK(made);
    return made;
}

void TREELINK::renumber(int from) {
    for (size_t i = static_cast<size_t>(from); i < m_children.size(); ++i)
        m_children[i]->m_row = static_cast<int>(i);
}

TREELINK* TREELINK::AddFirstChild(const std::string& text, const std::optional<Cargo>& cargo) {
    return insert_child(0, text, cargo);
}

TREELINK* TREELINK::AddLastChild(const std::string& text, const std::optional<Cargo>& cargo) {
    return insert_child(static_cast<int>(m_children.size()), text, cargo);
}

TREELINK* TREELINK::AddAfter(const std::string& text, const std::optional<Cargo>& cargo) {
    if (!m_parent) return AddLastChild(text, cargo);
    return m_parent->insert_child(m_row + 1, text, cargo);
}

TREELINK* TREELINK::AddAtHead(const std::string& text, const std::optional<Cargo>& cargo) {
    if (!m_parent) return AddFirstChild(text, cargo);
    return m_parent->AddFirstChild(text, cargo);
}

TREELINK* TREELINK::AddAtTail(const std::string& text, const std::optional<Cargo>& cargo) {
    if (!m_parent) return AddLastChild(text, cargo);
    return m_parent->AddLastChild(text, cargo);
}

void TREELINK::Kill() {
    if (!m_parent) {
        m_tree.ZAP_TREE();
        return;
    }
    TREELINK* parent = m_parent;
    const int at = m_row;
    m_tree.forget(this);
    m_tree.model_().removing(parent, at, at);
    auto gone = std::move(parent->m_children[static_cast<size_t>(at)]);
    parent->m_children.erase(parent->m_children.begin() + at);
    parent->renumber(at);
    m_tree.model_().removed();
    // `gone` (this node) is destroyed here; nothing may touch the node afterwards.
}

bool TREELINK::IsLastChild() const {
    return m_parent && m_row == static_cast<int>(m_parent->m_children.size()) - 1;
}

void TREELINK::ToggleOpened() { lOpened ? m_tree.CLOSE_ITEM(this) : m_tree.OPEN_ITEM(this); }

TREELINK* TREELINK::GetNextSibling() const {
    if (!m_parent || IsLastChild()) return nullptr;
    return m_parent->m_children[static_cast<size_t>(m_row + 1)].get();
}

TREELINK* TREELINK::GetPrevSibling() const {
    if (!m_parent || m_row == 0) return nullptr;
    return m_parent->m_children[static_cast<size_t>(m_row - 1)].get();
}

TREELINK* TREELINK::GetFirstChild() const {
    return m_children.empty() ? nullptr : m_children.front().get();
}

TREELINK* TREELINK::GetLastChild() const {
    return m_children.empty() ? nullptr : m_children.back().get();
}

void TREELINK::SORT(int key, bool ascending) {
    auto less = [key](const std::unique_ptr<TREELINK>& a, const std::unique_ptr<TREELINK>& b) {
        if (key == 1)
            return upper_ascii(a->TreeItem().GetText()) < upper_ascii(b->TreeItem().GetText());
        const int slot = key <= 2 ? 1 : key - 1;
        return cargo_less(a->TreeItem().Getcargo(slot), b->TreeItem().Getcargo(slot));
    };
    m_tree.model_().reordering();
    if (ascending)
        std::stable_sort(m_children.begin(), m_children.end(), less);
    else
        std::stable_sort(m_children.begin(), m_children.end(),
                         [&](const auto& a, const auto& b) { return less(b, a); });
    renumber(0);
    m_tree.model_().reordered();
}

bool TREELINK::MOVEDOWN() {
    TREELINK* next = GetNextSibling();
    if (!next) return false;
    next->MOVEUP();
    return true;
}

bool TREELINK::MOVEUP() {
    if (!m_parent || m_row == 0) return false;
    m_tree.model_().reordering();
    auto& siblings = m_parent->m_children;
    std::swap(siblings[static_cast<size_t>(m_row)], siblings[static_cast<size_t>(m_row - 1)]);
    m_parent->renumber(m_row - 1);
    m_tree.model_().reordered();
    return true;
}

void TREELINK::UPDATESEEK() {
    m_tree.forget(this, false);
    m_tree.UPDATESEEK(this);
}

void TREELINK::_TreeItem(std::unique_ptr<TreeNodeItem> item) {
    m_tree.forget(this, false);
    T_Item = std::move(item);
    m_tree.UPDATESEEK(this);
    m_tree.model_().changed(this);
}

}  // namespace qz::gui
