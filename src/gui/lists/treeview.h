#pragma once
// TREEVIEW: the tree of hierarchical choices (account concepts, user rights). Screens build it
// from GetRoot() with the node builders, set its properties and event blocks, and read marks and
// cargos back. The view is a QTreeView over a model whose rows are the TREELINK nodes, so a tree
// of thousands of nodes draws only what is visible.
#include <QTreeView>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gui/lists/tree_link.h"

class QMenu;

namespace qz::gui {

class TreeModel;

// One line of a printed tree.
struct TreePrintLine {
    int level = 0;  // 1 for the nodes under the root
    std::string text;
    std::optional<Cargo> cargo;
    bool marked = false;
    bool leaf = false;
    bool bold = false;
};
// A tree prints through its workspace (FrameworkLinks::print_tree).

// Orders two cargos: by kind, then by value (texts without trailing blanks); nil first.
bool cargo_less(const std::optional<Cargo>& a, const std::optional<Cargo>& b);

class TREEVIEW : public QTreeView {
    Q_OBJECT
public:
    using NodeBlock = std::function<void(TREELINK*)>;
    static constexpr int kMenuEntries = 15;

    // `small_items`: nodes carry the compact TVITEM2 (large trees).
    explicit TREEVIEW(QWidget* parent = nullptr, bool small_items = false);
    ~TREEVIEW() override;

    TREELINK* GetRoot() { return m_root.get(); }
    TREELINK* _Root() { return GetRoot(); }
    bool small_items() const { return m_small; }

    // Properties.
    void TREE_NAME(const std::string& name) { T_Name = name; }
    const std::string& TREE_NAME() const { return T_Name; }
    void SHOW_CARGO(bool on);
    void JUSTIFY_CARGO(int width);  // cargo text padded to this width before the text
    void MARGIN_CARGO(int blanks);  // blanks between cargo and text
    void PICTURE_CARGO(const std::string& picture);  // picture of number cargos
    void MULTIPLE_SELECTION(bool on) { MULTIPLE = on; }
    void FLOATING_CURSOR(bool on) { F_Cursor = on; }
    // Keeps siblings ordered as nodes are added: key 0 off, 1 text, 2 cargo.
    void SORT(int key) { T_SORT = key; }
    void ASCENDING(bool on) { T_ASCENDING = on; }
    void _MENU_OPTIONS(bool on) { P_Menu = on; }

    // Event blocks.
    void _ON_LEFT_CLICK(NodeBlock b) { L_BTNBLK = std::move(b); }
    void _ON_RIGHT_CLICK(NodeBlock b) { R_BTNBLK = std::move(b); }
    void _ON_LEFT_DBLCLICK(NodeBlock b) { L_BTN2BLK = std::move(b); }
    void _ON_ADD_ITEM(NodeBlock b) { ADD_BLK = std::move(b); }
    void _ON_MOD_ITEM(NodeBlock b) { MOD_BLK = std::move(b); }
    void _ON_DEL_ITEM(NodeBlock b) { DEL_BLK = std::move(b); }
    void _ON_MARK(std::function<void(TREELINK*, bool)> b) { MARK_BLK = std::move(b); }
    void _ON_CLEAR(NodeBlock b) { CLEAR_BLK = std::move(b); }
    void _ON_SEARCH(std::function<void()> b) { SEARCH_BLK = std::move(b); }
    void _ON_CLEAR_SEARCH(std::function<void()> b) { CL_SEARCH_BLK = std::move(b); }
    void _ON_ENTER(std::function<void(TREELINK*, bool)> b) { E_BLK = std::move(b); }
    // Printing options.
    void _PRE_PRINT(std::function<void()> b) { PP_BLK = std::move(b); }
    void _BOLD_PRINT(std::function<bool(const TREELINK&)> b) { PBOLD_BLK = std::move(b); }
    void _PRINT_LEAF(bool on) { PP_Leaf = on; }
    void _PRINT_MARKED(bool on) { PP_Marked = on; }
    void _POINTED_LINE(bool on) { OTHER_LINES = on; }
    void _MUST_MINIMIZE(bool on) { m_must_minimize = on; }

    // Shape.
    void REFRESH();
    // -1 opens every node, 1 closes every node, n > 1 opens the nodes above level n.
    void EXPAND(int how);
    void EXPAND_SUBTREE(TREELINK* node, bool open = true);
    void OPEN_ITEM(TREELINK* node);
    void CLOSE_ITEM(TREELINK* node);
    void ZAP_TREE();
    // Folds the tree to its header line and back.
    void MINIMIZE_TREE();
    void MAXIMIZE_TREE();
    bool Minimized() const { return m_minimized; }

    // Marks.
    void MARK_ALL() { set_marks(GetRoot(), true, false); }
    void MARK_ITEM(TREELINK* node);
    void MARK_SUBTREE(TREELINK* node) { set_marks(node, true, true); }
    // The node and every node above it.
    void MARK_ROOT(TREELINK* node) { set_path(node, true); }
    void CLEAR_ALL() { set_marks(GetRoot(), false, false); }
    void CLEAR_ITEM(TREELINK* node);
    void CLEAR_SUBTREE(TREELINK* node) { set_marks(node, false, true); }
    void CLEAR_ROOT(TREELINK* node) { set_path(node, false); }
    // Removes the marked nodes with their sub-trees.
    void DELETE_MARKS();
    std::vector<TREELINK*> GET_MARKS() const;
    int COUNT_ITEMS(const TREELINK* node = nullptr) const;  // children of the node (root)
    int COUNTALL() const { return COUNT_TREE(m_root.get()); }
    int COUNT_TREE(const TREELINK* node) const;  // nodes below the node

    // Queries.
    TREELINK* FIND_CARGO(const Cargo& cargo);
    int GETLEVEL(const TREELINK* node) const;
    bool IS_LEAF(const TREELINK* node) const { return node && !node->IsParent(); }
    std::vector<TREELINK*> GETLINKS() const;  // every node below the root, depth first
    // Orders every group of siblings that are all leaves (recursive) or the root's children.
    void SORT_LEAFS(int key = 2, bool ascending = true, bool recursive = true);
    void SORTSIBLINGS(TREELINK* parent, int key = 2, bool ascending = true);

    // Search: nodes whose cargo followed by text contains `text` (case-sensitive) are found.
    int MARK_SEARCH(const std::string& text);
    void CLEAR_SEARCH();

    // Context menu: 15 captions, nil hides an entry.
    void DEFINE_MENU(const std::vector<std::optional<std::string>>& captions);
    const std::vector<std::optional<std::string>>& menu_captions() const { return M2_OPTIONS; }
    QMenu* build_menu(TREELINK* clicked, QWidget* parent);
    void menu_command(int command, TREELINK* clicked);

    // Printing.
    std::vector<TreePrintLine> print_lines() const;
    // Hands the lines to the installed printer; false (with a message) when there is none.
    bool PRINT_TREE();

    // Between nodes and the view.
    TREELINK* node_at(const QModelIndex& index) const;
    QModelIndex index_of(const TREELINK* node) const;
    TREELINK* current_node() const;
    void select_node(TREELINK* node);
    std::string display_text(const TREELINK& node) const;
    std::unique_ptr<TreeNodeItem> new_item() const;
    TreeModel& model_() { return *m_model; }

protected:
    void contextMenuEvent(QContextMenuEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    friend class TREELINK;
    friend class TreeModel;
    struct SeekEntry {
        std::optional<Cargo> cargo;
        TREELINK* node;
    };
    void UPDATESEEK(TREELINK* node);
    void forget(const TREELINK* node, bool subtree = true);  // entries leave SeekData
    int sorted_row(const TREELINK* parent, const std::string& text,
                   const std::optional<Cargo>& cargo) const;
    void set_marks(TREELINK* node, bool on, bool include_node);
    void set_path(TREELINK* node, bool on);
    void mark(TREELINK* node, bool on);
    void node_changed(TREELINK* node);
    void sync_open(TREELINK* node);
    void ask_search();

    std::unique_ptr<TreeModel> m_model;
    std::unique_ptr<TREELINK> m_root;
    bool m_small = false;
    std::vector<SeekEntry> SeekData;
    bool m_seek_sorted = true;
    std::vector<std::optional<std::string>> M2_OPTIONS;

    std::string T_Name;
    bool m_show_cargo = false;
    int m_justify = 0;
    int m_margin = 1;
    std::string m_picture;
    bool MULTIPLE = true;
    bool F_Cursor = false;
    int T_SORT = 0;
    bool T_ASCENDING = true;
    bool P_Menu = true;
    bool PP_Leaf = true;
    bool PP_Marked = false;
    bool OTHER_LINES = false;
    bool m_must_minimize = false;
    bool m_minimized = false;
    int m_full_height = 0;

    NodeBlock L_BTNBLK, R_BTNBLK, L_BTN2BLK, ADD_BLK, MOD_BLK, DEL_BLK, CLEAR_BLK;
    std::function<void(TREELINK*, bool)> MARK_BLK, E_BLK;
    std::function<void()> SEARCH_BLK, CL_SEARCH_BLK, PP_BLK;
    std::function<bool(const TREELINK&)> PBOLD_BLK;
};

}  // namespace qz::gui
