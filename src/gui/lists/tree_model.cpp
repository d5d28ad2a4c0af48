#include "gui/lists/tree_model.h"

#include <QApplication>
#include <QBrush>
#include <QFont>
#include <QStyle>

#include "gui/lists/treeview.h"

namespace qz::gui {

namespace {
TREELINK* node_of(const QModelIndex& i) { return static_cast<TREELINK*>(i.internalPointer()); }
}  // namespace

QModelIndex TreeModel::index_of(const TREELINK* node) const {
    if (!node || node->IsRoot()) return {};
    return createIndex(node->row(), 0, const_cast<TREELINK*>(node));
}

QModelIndex TreeModel::index(int row, int column, const QModelIndex& parent) const {
    const TREELINK* p = parent.isValid() ? node_of(parent) : m_tree.m_root.get();
    if (column != 0 || row < 0 || row >= static_cast<int>(p->children().size())) return {};
    return createIndex(row, 0, p->children()[static_cast<size_t>(row)].get());
}

QModelIndex TreeModel::parent(const QModelIndex& child) const {
    if (!child.isValid()) return {};
    return index_of(node_of(child)->GetParent());
}

int TreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const TREELINK* p = parent.isValid() ? node_of(parent) : m_tree.m_root.get();
    return static_cast<int>(p->children().size());
}

QVariant TreeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const TREELINK& node = *node_of(index);
    const TreeNodeItem& item = node.TreeItem();
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(m_tree.display_text(node));
        case Qt::EditRole:
            return QString::fromStdString(item.GetText());
        case Qt::CheckStateRole:
            return item.Marked() ? Qt::Checked : Qt::Unchecked;
        case Qt::FontRole:
            if (item.FOUND()) {
                QFont bold;
                bold.setBold(true);
                return bold;
            }
            return {};
        case Qt::BackgroundRole:
            return item.FOUND() ? QBrush(QColor(255, 236, 140)) : QVariant();
        case Qt::DecorationRole: {
            const QStyle* style = QApplication::style();
            if (item.FOUND()) return style->standardIcon(QStyle::SP_FileDialogContentsView);
            if (!node.IsParent()) return style->standardIcon(QStyle::SP_FileIcon);
            return style->standardIcon(node.IsOpened() ? QStyle::SP_DirOpenIcon
                                                       : QStyle::SP_DirClosedIcon);
        }
        default:
            return {};
    }
}

bool TreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) return false;
    TREELINK* node = node_of(index);
    if (role == Qt::CheckStateRole) {
        const bool on = value.toInt() == Qt::Checked;
        on ? m_tree.MARK_ITEM(node) : m_tree.CLEAR_ITEM(node);
        if (m_tree.MARK_BLK) m_tree.MARK_BLK(node, on);
        return true;
    }
    if (role == Qt::EditRole) {
        node->TreeItem().SetText(value.toString().toStdString());
        changed(node);
        return true;
    }
    return false;
}

Qt::ItemFlags TreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemIsEditable;
}

void TreeModel::changed(TREELINK* node) {
    const QModelIndex i = index_of(node);
    if (i.isValid()) emit dataChanged(i, i);
}

void TreeModel::reordered() {
    // Rows moved among their siblings: persistent indexes (selection, expansion) follow them.
    const auto old = persistentIndexList();
    QModelIndexList now;
    now.reserve(old.size());
    for (const auto& i : old) now.push_back(index_of(node_of(i)));
    changePersistentIndexList(old, now);
    emit layoutChanged();
}

}  // namespace qz::gui
