#pragma once
// TREELINK: one node of a TREEVIEW. A node owns its children in order; it carries one item (the
// full TVITEM or the compact TVITEM2, as the tree chooses). Nodes are made only through the
// tree's builders below, so the tree's cargo index and its view follow every change.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/lists/tree_item.h"

namespace qz::gui {

class TREEVIEW;

class TREELINK {
public:
    TREELINK(TREEVIEW& tree, TREELINK* parent, std::unique_ptr<TreeNodeItem> item);
    ~TREELINK();
    TREELINK(const TREELINK&) = delete;
    TREELINK& operator=(const TREELINK&) = delete;

    // Builders: a new node with that text and cargo (slot 1), placed as named; each returns it.
    TREELINK* AddFirstChild(const std::string& text, const std::optional<Cargo>& cargo = {});
    TREELINK* AddLastChild(const std::string& text, const std::optional<Cargo>& cargo = {});
    TREELINK* AddAfter(const std::string& text, const std::optional<Cargo>& cargo = {});
    TREELINK* AddAtHead(const std::string& text, const std::optional<Cargo>& cargo = {});
    TREELINK* AddAtTail(const std::string& text, const std::optional<Cargo>& cargo = {});
    // Removes this node and its sub-tree; the node is gone afterwards. The root only empties.
    void Kill();

    bool IsRoot() const { return m_parent == nullptr; }
    bool IsParent() const { return !m_children.empty(); }
    TREELINK* GetParent() const { return m_parent; }
    bool IsFirstChild() const { return m_parent && m_row == 0; }
    bool IsLastChild() const;
    bool IsOpened() const { return lOpened; }
    void ToggleOpened();
    TREELINK* GetNextSibling() const;
    TREELINK* GetPrevSibling() const;
    TREELINK* GetFirstChild() const;
    TREELINK* GetLastChild() const;
    const std::vector<std::unique_ptr<TREELINK>>& children() const { return m_children; }
    // Position among the siblings (0-based).
    int row() const { return m_row; }

    // Orders the children by the key (1 text, 2 cargo, n > 2 cargo slot n - 1).
    void SORT(int key = 2, bool ascending = true);
    // Swaps this node with the next (previous) sibling; false at the end.
    bool MOVEDOWN();
    bool MOVEUP();
    // Files the node again under its cargo after a screen changed the item's cargo.
    void UPDATESEEK();

    TreeNodeItem& TreeItem() { return *T_Item; }
    const TreeNodeItem& TreeItem() const { return *T_Item; }
    void _TreeItem(std::unique_ptr<TreeNodeItem> item);
    TREEVIEW& oTree() const { return m_tree; }

    bool lOpened = false;

private:
    friend class TREEVIEW;
    TREELINK* insert_child(int at, const std::string& text, const std::optional<Cargo>& cargo);
    void renumber(int from);

    TREEVIEW& m_tree;
    TREELINK* m_parent;
    std::unique_ptr<TreeNodeItem> T_Item;
    std::vector<std::unique_ptr<TREELINK>> m_children;
    int m_row = 0;
};

}  // namespace qz::gui
