#include "gui/lists/treeview.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>

#include "core/picture.h"
#include "core/text.h"
#include "gui/framework/message_box.h"
#include "gui/framework/workspace.h"
#include "gui/lists/tree_model.h"

namespace qz::gui {

namespace {

const std::vector<std::optional<std::string>>& default_captions() {
    static const std::vector<std::optional<std::string>> captions = {
        "Expand Tree", "Expand Sub-Tree", "Collapse Tree", "Collaps Sub-Tree", "Mark All",
        "Mark Item",   "Mark Sub-Tree",   "Clear All",     "Clear Item",       "Clear Sub-Tree",
        "Add Item   ", "Modify Item",     "Delete Item",   "Search...",        "Clear Search"};
    return captions;
}

// Commands that act on the clicked node.
bool needs_node(int command) {
    return command == 2 || command == 4 || command == 6 || command == 7 || command == 9 ||
           command == 10 || command == 12 || command == 13;
}

}  // namespace

TREEVIEW::TREEVIEW(QWidget* parent, bool small_items)
    : QTreeView(parent), m_small(small_items), M2_OPTIONS(default_captions()) {
    m_model = std::make_unique<TreeModel>(*this);
    m_root = std::make_unique<TREELINK>(*this, nullptr, new_item());
    m_root->lOpened = true;
    setModel(m_model.get());
    header()->hide();
    setUniformRowHeights(true);  // keeps large trees fast to lay out
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeView::expanded, this, [this](const QModelIndex& i) {
        if (TREELINK* n = node_at(i)) n->lOpened = true;
    });
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex& i) {
        if (TREELINK* n = node_at(i)) n->lOpened = false;
    });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        if (L_BTNBLK) L_BTNBLK(node_at(i));
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        if (L_BTN2BLK) L_BTN2BLK(node_at(i));
    });
}

TREEVIEW::~TREEVIEW() {
    setModel(nullptr);
}

std::unique_ptr<TreeNodeItem> TREEVIEW::new_item() const {
    if (m_small) return std::make_unique<TVITEM2>();
    return std::make_unique<TVITEM>();
}

void TREEVIEW::SHOW_CARGO(bool on) {
    m_show_cargo = on;
    m_model->changed_all();
}
void TREEVIEW::JUSTIFY_CARGO(int width) {
    m_justify = width;
    m_model->changed_all();
}
void TREEVIEW::MARGIN_CARGO(int blanks) {
    m_margin = blanks;
    m_model->changed_all();
}
void TREEVIEW::PICTURE_CARGO(const std::string& picture) {
    m_picture = picture;
    m_model->changed_all();
}

std::string TREEVIEW::display_text(const TREELINK& node) const {
    const TreeNodeItem& item = node.TreeItem();
    const auto cargo = item.Getcargo();
    if (!m_show_cargo || !cargo) return item.GetText();
    std::string code;
    if (auto* n = std::get_if<Decimal>(&*cargo); n && !m_picture.empty())
        code = pic_format(*n, m_picture);
    else if (auto* d = std::get_if<Date>(&*cargo))
        code = d->dtoc();
    else if (auto* n = std::get_if<Decimal>(&*cargo))
        code = n->to_string();
    else if (auto* s = std::get_if<std::string>(&*cargo))
        code = rtrim(*s);
    else
        code = std::get<bool>(*cargo) ? "S" : "N";
    if (m_justify > 0) code = pad_right(code, static_cast<size_t>(m_justify));
    return code + std::string(static_cast<size_t>(std::max(m_margin, 0)), ' ') + item.GetText();
}

TREELINK* TREEVIEW::node_at(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TREELINK*>(index.internalPointer()) : nullptr;
}

QModelIndex TREEVIEW::index_of(const TREELINK* node) const { return m_model->index_of(node); }

TREELINK* TREEVIEW::current_node() const { return node_at(currentIndex()); }

void TREEVIEW::select_node(TREELINK* node) {
    for (TREELINK* p = node ? node->GetParent() : nullptr; p && !p->IsRoot(); p = p->GetParent())
        OPEN_ITEM(p);
    setCurrentIndex(index_of(node));
}

void TREEVIEW::REFRESH() {
    m_model->changed_all();
    viewport()->update();
}

void TREEVIEW::sync_open(TREELINK* node) {
    if (!node->IsRoot()) setExpanded(index_of(node), node->lOpened);
}

void TREEVIEW::OPEN_ITEM(TREELINK* node) {
    if (!node) return;
    node->lOpened = true;
    sync_open(node);
    m_model->changed(node);
}

void TREEVIEW::CLOSE_ITEM(TREELINK* node) {
    if (!node || node->IsRoot()) return;
    node->lOpened = false;
    sync_open(node);
    m_model->changed(node);
}

void TREEVIEW::EXPAND(int how) {
    for (TREELINK* n : GETLINKS()) n->lOpened = how == -1 || (how > 1 && GETLEVEL(n) < how);
    collapseAll();
    if (how == -1) expandAll();
    if (how > 1) expandToDepth(how - 2);
    m_model->changed_all();
}

void TREEVIEW::EXPAND_SUBTREE(TREELINK* node, bool open) {
    if (!node) return;
    std::vector<TREELINK*> stack{node};
    while (!stack.empty()) {
        TREELINK* n = stack.back();
        stack.pop_back();
        if (!n->IsRoot()) n->lOpened = open;
        for (const auto& c : n->children()) stack.push_back(c.get());
    }
    if (node->IsRoot()) {
        open ? expandAll() : collapseAll();
    } else if (open) {
        expandRecursively(index_of(node));
    } else {
        for (TREELINK* n = node; n;) {  // depth-first over the sub-tree, closing each
            setExpanded(index_of(n), false);
            if (n->GetFirstChild()) {
                n = n->GetFirstChild();
                continue;
            }
            while (n != node && !n->GetNextSibling()) n = n->GetParent();
            n = n == node ? nullptr : n->GetNextSibling();
        }
    }
    m_model->changed_all();
}

void TREEVIEW::ZAP_TREE() {
    m_model->resetting();
    m_root->m_children.clear();
    SeekData.clear();
    m_seek_sorted = true;
    m_model->reset();
}

void TREEVIEW::MINIMIZE_TREE() {
    if (m_minimized) return;
    m_minimized = true;
    m_full_height = height();
    setMaximumHeight(fontMetrics().height() + 2 * frameWidth() + 4);
}

void TREEVIEW::MAXIMIZE_TREE() {
    if (!m_minimized) return;
    m_minimized = false;
    setMaximumHeight(QWIDGETSIZE_MAX);
    resize(width(), m_full_height);
}

void TREEVIEW::DEFINE_MENU(const std::vector<std::optional<std::string>>& captions) {
    M2_OPTIONS = captions;
    M2_OPTIONS.resize(kMenuEntries);
}

QMenu* TREEVIEW::build_menu(TREELINK* clicked, QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName("tree_menu");
    // Groups 1-4 (shape), 5-10 (marks), 11-13 (editing), 14-15 (search), with a separator
    // between groups that show entries.
    auto group = [](int cmd) { return cmd < 5 ? 0 : cmd < 11 ? 1 : cmd < 14 ? 2 : 3; };
    int last_group = -1;
    for (int cmd = 1; cmd <= kMenuEntries; ++cmd) {
        const auto& caption = M2_OPTIONS[static_cast<size_t>(cmd - 1)];
        if (!caption) continue;
        if (last_group >= 0 && group(cmd) != last_group) menu->addSeparator();
        last_group = group(cmd);
        QAction* a = menu->addAction(QString::fromStdString(*caption));
        a->setObjectName(QString::number(cmd));
        a->setEnabled(clicked || !needs_node(cmd));
        connect(a, &QAction::triggered, this, [this, cmd, clicked] { menu_command(cmd, clicked); });
    }
    return menu;
}

void TREEVIEW::menu_command(int command, TREELINK* node) {
    if (needs_node(command) && !node) return;
    switch (command) {
        case 1: EXPAND(-1); break;
        case 2: EXPAND_SUBTREE(node, true); break;
        case 3: EXPAND(1); break;
        case 4: EXPAND_SUBTREE(node, false); break;
        case 5: MARK_ALL(); break;
        case 6: MARK_ITEM(node); break;
        case 7: MARK_SUBTREE(node); break;
        case 8: CLEAR_ALL(); break;
        case 9: CLEAR_ITEM(node); break;
        case 10: CLEAR_SUBTREE(node); break;
        case 11:
            if (ADD_BLK) {
                ADD_BLK(node);
            } else {
                TREELINK* parent = node ? node : GetRoot();
                TREELINK* made = parent->AddFirstChild("");
                OPEN_ITEM(parent);
                select_node(made);
            }
            break;
        case 12: MOD_BLK ? MOD_BLK(node) : edit(index_of(node)); break;
        case 13: DEL_BLK ? DEL_BLK(node) : node->Kill(); break;
        case 14: SEARCH_BLK ? SEARCH_BLK() : ask_search(); break;
        case 15: CL_SEARCH_BLK ? CL_SEARCH_BLK() : CLEAR_SEARCH(); break;
        default: break;
    }
}

void TREEVIEW::ask_search() {
    bool ok = false;
    const QString text = QInputDialog::getText(this, "Buscar...", "Texto:", QLineEdit::Normal,
                                               QString(), &ok);
    if (!ok || text.isEmpty()) return;
    if (MARK_SEARCH(text.toStdString()) == 0)
        MESSAGE_BOX(this, "No se encontró \"" + text.toStdString() + "\"", "Aviso",
                    kMbOk | kMbIconInformation);
}

void TREEVIEW::contextMenuEvent(QContextMenuEvent* e) {
    TREELINK* node = node_at(indexAt(viewport()->mapFrom(this, e->pos())));
    if (R_BTNBLK) R_BTNBLK(node);
    if (!P_Menu) return;
    std::unique_ptr<QMenu> menu(build_menu(node, this));
    menu->exec(e->globalPos());
}

void TREEVIEW::keyPressEvent(QKeyEvent* e) {
    TREELINK* node = current_node();
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && node) {
        if (E_BLK)
            E_BLK(node, node->IsOpened());
        else
            node->ToggleOpened();
        return;
    }
    QTreeView::keyPressEvent(e);
}

bool TREEVIEW::PRINT_TREE() {
    FrameworkLinks* links = links_of(this);
    if (!links || !links->prints_trees()) {
        MESSAGE_BOX(this, "No hay un servicio de impresión disponible para el árbol", "Error",
                    kMbOk | kMbIconStop);
        return false;
    }
    if (PP_BLK) PP_BLK();
    const bool minimize = m_must_minimize && !m_minimized;
    if (minimize) MINIMIZE_TREE();
    links->print_tree(T_Name, print_lines(), OTHER_LINES);
    if (minimize) MAXIMIZE_TREE();
    return true;
}

}  // namespace qz::gui
