#pragma once
// The currency set-up of the ledger: currencies (MONEDAS, form MODIMONEDA), the rates window
// (T_CAMBIO) with its pairs and dated rates, the stale-rate check (NEG_CAMB), the
// exchange-difference types (DIFERENC, form ED_COD_DIFF) and the revaluation listing (DIFE_CAM).
#include <string>

#include "core/amount.h"
#include "core/clock.h"
#include "data/db.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;
class RatesWindow;

inline constexpr int kCmdRateCheck = 2905, kCmdCurrencies = 2783, kCmdRates = 2901,
                     kCmdDiffTypes = 6506, kCmdRevaluation = 6507;

MasterListScreen* open_currencies(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_diff_types(QWidget* owner, data::Db& db, const std::string& business);
RatesWindow* open_rates_window(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user);
bool open_rate_check(QWidget* owner, data::Db& db, const std::string& business);
void open_revaluation_report(QWidget* owner, data::Db& db, const std::string& business,
                             const Clock& clock);

// A rate as the screens show and read it: "999,999.99999".
AmountField rate_amount(const std::string& label);

// Field ids of the forms.
enum CurrencyField {
    kCurCode = 501,
    kCurName,
    kCurSymbol,
    kCurInitials,
    kCurMinRate,
    kCurCxc,
    kCurCxp,
    kCurNegative,
    kCurEquivalent,
    kDiffCode = 521,
    kDiffName,
    kDiffLink,
    kDiffAdjust,
    kCheckMode = 541,
    kCheckAmount,
    kPairFrom = 561,
    kPairTo,
    kPairDaily,
    kRateDate = 581,
    kRate1,  // kRate1 .. kRate1 + 4: "Cambio 1:" .. "Cambio 5:"
};

}  // namespace qz::gui
