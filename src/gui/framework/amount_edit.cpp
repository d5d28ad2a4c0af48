#include "gui/framework/amount_edit.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace qz::gui {

namespace {

class AmountDelegate : public QStyledItemDelegate {
public:
    AmountDelegate(QObject* parent, const AmountField& field)
        : QStyledItemDelegate(parent), m_length(static_cast<int>(field.picture().size()) + 1) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* e = new QLineEdit(parent);
        e->setAlignment(Qt::AlignRight);
        // The minus may be typed even where the field refuses it, so the refusal says why.
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9.,\\- ]*"), e));
        e->setMaxLength(m_length);
        return e;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
    }

private:
    int m_length;  // the picture and a minus
};

}  // namespace

LR_MASKED* amount_edit(QWidget* parent, int id, const AmountField& field, const Decimal& value) {
    auto* e = new LR_MASKED(parent, id, value);
    e->SetAmount(field);
    return e;
}

void amount_column(QAbstractItemView* view, int column, const AmountField& field) {
    view->setItemDelegateForColumn(column, new AmountDelegate(view, field));
}

}  // namespace qz::gui
