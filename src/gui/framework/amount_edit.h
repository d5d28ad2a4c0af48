#pragma once
// Amounts on screens, one call per field. A single field is the masked edit bound to its amount
// field: shown through the field's picture, read with or without thousands separators, and
// refused with the field's own message as it is left. A grid column edits amounts the same way
// as far as typing goes; the screen hands what was typed to the rule that takes it.
#include "core/amount.h"
#include "gui/framework/masked_edit.h"

class QAbstractItemView;

namespace qz::gui {

// A masked edit of `field` with `id` as its objectName, showing `value`.
LR_MASKED* amount_edit(QWidget* parent, int id, const AmountField& field, const Decimal& value);

// Column `column` of `view` shows its texts right-aligned and edits them with only what a
// number has (digits, separators, a minus) and no more characters than the field's picture.
void amount_column(QAbstractItemView* view, int column, const AmountField& field);

}  // namespace qz::gui
