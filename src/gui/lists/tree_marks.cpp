// TREEVIEW: marks, counts, the cargo index, sorting, search and the lines of a printout.
#include <algorithm>
#include <unordered_set>

#include "core/text.h"
#include "gui/lists/tree_model.h"
#include "gui/lists/treeview.h"

namespace qz::gui {

namespace {

// Visits the nodes of the sub-tree below `node` depth first (the node itself excluded).
template <class F>
void walk(const TREELINK* node, F&& f) {
    std::vector<const TREELINK*> stack;
    for (auto it = node->children().rbegin(); it != node->children().rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        const TREELINK* n = stack.back();
        stack.pop_back();
        f(const_cast<TREELINK*>(n));
        for (auto it = n->children().rbegin(); it != n->children().rend(); ++it)
            stack.push_back(it->get());
    }
}

std::string cargo_text(const Cargo& c) {
    if (auto* s = std::get_if<std::string>(&c)) return rtrim(*s);
    if (auto* n = std::get_if<Decimal>(&c)) return n->to_string();
    if (auto* d = std::get_if<Date>(&c)) return d->dtoc();
    return std::get<bool>(c) ? "S" : "N";
}

}  // namespace

bool cargo_less(const std::optional<Cargo>& a, const std::optional<Cargo>& b) {
    if (!a || !b) return !a && b;
    if (a->index() != b->index()) return a->index() < b->index();
    if (auto* s = std::get_if<std::string>(&*a)) return rtrim(*s) < rtrim(std::get<std::string>(*b));
    return *a < *b;
}

void TREEVIEW::UPDATESEEK(TREELINK* node) {
    auto cargo = node->TreeItem().Getcargo();
    if (!cargo) return;
    // Nodes usually arrive in cargo order: appending keeps the index sorted at no cost; any
    // other arrival is sorted once, at the next search.
    if (!SeekData.empty() && cargo_less(cargo, SeekData.back().cargo)) m_seek_sorted = false;
    SeekData.push_back({std::move(cargo), node});
}

void TREEVIEW::forget(const TREELINK* node, bool subtree) {
    std::unordered_set<const TREELINK*> gone{node};
    if (subtree) walk(node, [&](TREELINK* n) { gone.insert(n); });
    std::erase_if(SeekData, [&](const SeekEntry& e) { return gone.count(e.node) > 0; });
}

TREELINK* TREEVIEW::FIND_CARGO(const Cargo& cargo) {
    auto less = [](const SeekEntry& a, const SeekEntry& b) { return cargo_less(a.cargo, b.cargo); };
    if (!m_seek_sorted) {
        std::stable_sort(SeekData.begin(), SeekData.end(), less);
        m_seek_sorted = true;
    }
    const SeekEntry wanted{cargo, nullptr};
    auto it = std::lower_bound(SeekData.begin(), SeekData.end(), wanted, less);
    if (it == SeekData.end() || cargo_less(wanted.cargo, it->cargo)) return nullptr;
    return it->node;
}

int TREEVIEW::sorted_row(const TREELINK* parent, const std::string& text,
                         const std::optional<Cargo>& cargo) const {
    auto before = [&](const TREELINK* sibling) {  // the new node goes after `sibling`
        const TreeNodeItem& item = sibling->TreeItem();
        if (T_SORT == 1) {
            const auto a = upper_ascii(item.GetText()), b = upper_ascii(text);
            return T_ASCENDING ? !(b < a) : !(a < b);
        }
        return T_ASCENDING ? !cargo_less(cargo, item.Getcargo())
                           : !cargo_less(item.Getcargo(), cargo);
    };
    int lo = 0, hi = static_cast<int>(parent->children().size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (before(parent->children()[static_cast<size_t>(mid)].get()))
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int TREEVIEW::GETLEVEL(const TREELINK* node) const {
    int level = 0;
    for (const TREELINK* p = node; p && !p->IsRoot(); p = p->GetParent()) ++level;
    return level;
}

std::vector<TREELINK*> TREEVIEW::GETLINKS() const {
    std::vector<TREELINK*> all;
    walk(m_root.get(), [&](TREELINK* n) { all.push_back(n); });
    return all;
}

void TREEVIEW::mark(TREELINK* node, bool on) {
    if (node->IsRoot() || node->TreeItem().Marked() == on) return;
    node->TreeItem()._Marked(on);
    m_model->changed(node);
    if (!on && CLEAR_BLK) CLEAR_BLK(node);
}

void TREEVIEW::MARK_ITEM(TREELINK* node) {
    if (!node) return;
    if (!MULTIPLE)  // one mark at a time
        for (TREELINK* other : GET_MARKS())
            if (other != node) mark(other, false);
    mark(node, true);
}

void TREEVIEW::CLEAR_ITEM(TREELINK* node) {
    if (node) mark(node, false);
}

void TREEVIEW::set_marks(TREELINK* node, bool on, bool include_node) {
    if (!node) return;
    if (include_node) mark(node, on);
    walk(node, [&](TREELINK* n) { mark(n, on); });
}

void TREEVIEW::set_path(TREELINK* node, bool on) {
    for (TREELINK* p = node; p && !p->IsRoot(); p = p->GetParent()) mark(p, on);
}

std::vector<TREELINK*> TREEVIEW::GET_MARKS() const {
    std::vector<TREELINK*> marked;
    walk(m_root.get(), [&](TREELINK* n) {
        if (n->TreeItem().Marked()) marked.push_back(n);
    });
    return marked;
}

void TREEVIEW::DELETE_MARKS() {
    // Children first (reverse of depth-first order), so no node is killed twice.
    std::vector<TREELINK*> marked = GET_MARKS();
    std::unordered_set<TREELINK*> doomed(marked.begin(), marked.end());
    for (auto it = marked.rbegin(); it != marked.rend(); ++it) {
        bool inside = false;
        for (TREELINK* p = (*it)->GetParent(); p && !inside; p = p->GetParent())
            inside = doomed.count(p) > 0;
        if (!inside) (*it)->Kill();
    }
}

int TREEVIEW::COUNT_ITEMS(const TREELINK* node) const {
    return static_cast<int>((node ? node : m_root.get())->children().size());
}

int TREEVIEW::COUNT_TREE(const TREELINK* node) const {
    int n = 0;
    if (node) walk(node, [&](TREELINK*) { ++n; });
    return n;
}

void TREEVIEW::SORTSIBLINGS(TREELINK* parent, int key, bool ascending) {
    if (parent) parent->SORT(key, ascending);
}

void TREEVIEW::SORT_LEAFS(int key, bool ascending, bool recursive) {
    std::vector<TREELINK*> parents{m_root.get()};
    if (recursive) walk(m_root.get(), [&](TREELINK* n) {
            if (n->IsParent()) parents.push_back(n);
        });
    for (TREELINK* p : parents) {
        const auto& kids = p->children();
        if (std::all_of(kids.begin(), kids.end(), [](const auto& c) { return !c->IsParent(); }))
            p->SORT(key, ascending);
    }
}

int TREEVIEW::MARK_SEARCH(const std::string& text) {
    int found = 0;
    walk(m_root.get(), [&](TREELINK* n) {
        const auto cargo = n->TreeItem().Getcargo();
        const std::string hay = (cargo ? cargo_text(*cargo) : "") + n->TreeItem().GetText();
        const bool hit = !text.empty() && hay.find(text) != std::string::npos;
        n->TreeItem()._FOUND(hit);
        if (hit) ++found;
    });
    m_model->changed_all();
    viewport()->update();
    return found;
}

void TREEVIEW::CLEAR_SEARCH() {
    walk(m_root.get(), [](TREELINK* n) { n->TreeItem()._FOUND(false); });
    m_model->changed_all();
    viewport()->update();
}

std::vector<TreePrintLine> TREEVIEW::print_lines() const {
    std::vector<TreePrintLine> lines;
    walk(m_root.get(), [&](TREELINK* n) {
        const TreeNodeItem& item = n->TreeItem();
        const bool leaf = !n->IsParent();
        if (leaf && !PP_Leaf) return;
        if (PP_Marked && !item.Marked()) return;
        lines.push_back({GETLEVEL(n), item.GetText(), item.Getcargo(), item.Marked(), leaf,
                         PBOLD_BLK ? PBOLD_BLK(*n) : false});
    });
    return lines;
}

}  // namespace qz::gui
