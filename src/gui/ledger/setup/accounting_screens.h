#pragma once
// The accountant's screens of "Cuentas por Cobrar › Contabilidad": the chart of accounts, the
// ledger links, the journal classes, and the journal vouchers as posted.
#include <string>

#include "data/db.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

MasterListScreen* open_ledger_accounts(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_ledger_links(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_journal_classes(QWidget* owner, data::Db& db, const std::string& business);
// The vouchers of the business in number order, with the lines and per-currency totals of
// the chosen one; an out-of-balance voucher is shown in red.
WDIAG* open_voucher_viewer(QWidget* owner, data::Db& db, const std::string& business);

namespace accounting_form {
enum : int {
    kCode = 101,
    kName,
    kAccount,
    kAccount2,
    kSide,
    kSide2,
    kGroup,
    kMajor,
    kBlocked,
    kSeries
};
}
// The links list's button that opens the chosen link's distribution.
inline constexpr int kDistribution = 204;
namespace voucher_viewer {
enum : int { kVouchers = 500, kLines = 501, kTotals = 502 };
}

}  // namespace qz::gui
