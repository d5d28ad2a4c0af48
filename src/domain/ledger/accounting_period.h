#pragma once
// The current accounting period of a business: the latest month of its ledger balances
// (SALDOS). This installation has no accounting module to close periods, so the accountant
// moves the period forward here; postings dated before it are refused (check_mayorizar), and
// with NEGOCIOS.MAYORIZA = 1 those inside it too.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct AccountingPeriod {
    int year = 0, month = 0;
    auto operator<=>(const AccountingPeriod&) const = default;
};

// The latest period of the business in SALDOS; none when it has no balances yet.
std::optional<AccountingPeriod> current_period(data::Db& db, const std::string& business);

struct PeriodSettings {
    std::optional<AccountingPeriod> current;
    bool one_voucher = false;  // NEGOCIOS.MAYORIZA
};

PeriodSettings read_period_settings(data::Db& db, const std::string& business);

// Saves MAYORIZA and, when `period` is later than the current one, opens it: one SALDOS row
// per posting account of the chart carrying the account's balance of the current period, in
// one transaction. Refused (through `port`, nothing written) for a month outside 1..12, a year
// outside 2000..2999, a period before the current one, or a chart without posting accounts.
bool save_period_settings(data::Db& db, UserPort& port, const std::string& business,
                          const AccountingPeriod& period, bool one_voucher);

}  // namespace qz::domain
