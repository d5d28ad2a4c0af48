#pragma once
// "Período Contable": the current accounting period of the business (the latest month of its
// ledger balances), moved forward by the accountant, and whether each operation posts a voucher
// of its own (MAYORIZA), which also closes the current period to postings.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

// True when saved.
bool edit_accounting_period(QWidget* owner, data::Db& db, const std::string& business);

namespace period_form {
enum : int { kMonth = 101, kYear, kOneVoucher };
}

}  // namespace qz::gui
