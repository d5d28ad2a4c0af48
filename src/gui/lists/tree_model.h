#pragma once
// The Qt model of a TREEVIEW: one row per TREELINK, one column. Nodes tell it about every
// insertion and removal so the view never reads a node that is gone.
#include <QAbstractItemModel>

namespace qz::gui {

class TREEVIEW;
class TREELINK;

class TreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TreeModel(TREEVIEW& tree) : m_tree(tree) {}

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& = {}) const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void inserting(TREELINK* parent, int row) { beginInsertRows(index_of(parent), row, row); }
    void inserted() { endInsertRows(); }
    void removing(TREELINK* parent, int first, int last) {
        beginRemoveRows(index_of(parent), first, last);
    }
    void removed() { endRemoveRows(); }
    void reordering() { emit layoutAboutToBeChanged(); }
    void reordered();
    void resetting() { beginResetModel(); }
    void reset() { endResetModel(); }
    void changed(TREELINK* node);
    void changed_all() { emit dataChanged({}, {}); }
    QModelIndex index_of(const TREELINK* node) const;

private:
    TREEVIEW& m_tree;
};

}  // namespace qz::gui
