#pragma once
// The journal voucher of a guarantee deposit, in journal "03" with the deposit's number as the
// lines' document. A bank-book deposit debits the bank account's ledger account (credits it
// when its bank-book concept takes money out); the typed counterpart lines follow as typed; what
// the lines leave unbalanced is the hotel's debt to the payer, posted through the link
// PREPAGOS, except for a counterpart that balances by itself. The lines are posted in the
// accounting currency, each converted at the deposit's accounting rate and rounded, and the
// cents the rounding leaves go to the link REDONDEO, so the voucher always balances.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/deposits/deposit_draft.h"
#include "domain/ledger/journal.h"

namespace qz::domain {

struct DepositPosting {
    std::string business, movement, currency, description;
    Date date;
    Decimal amount, rate;  // in the deposit's currency; rate to the accounting currency
    int kind = 0;          // the concept's TIPO_MOV
    // Kind 0: the bank account's ledger account and whether the movement puts money in.
    std::string bank_ledger_account;
    bool money_in = true;
    std::vector<CounterpartLine> lines;
    JournalStamp stamp;
};

inline constexpr const char* kDepositJournal = "03";

// Posts the deposit inside the caller's transaction and returns the voucher number; "" when the
// business does not post to the ledger (F_FAC AFECTA_CON) or the voucher could not be opened.
std::string post_deposit(data::Db& db, const DepositPosting& p);

// Posts the deposit's lines of `voucher` again with their sides swapped, dated `date`, described
// `description`; returns the new voucher's number ("" as above).
std::string reverse_deposit_posting(data::Db& db, const std::string& business,
                                    const std::string& voucher, const std::string& movement,
                                    const Date& date, const std::string& description,
                                    const JournalStamp& stamp);

// The deposit's own lines of `voucher`: those of its booking, or (`of_void`) those of its void.
// A day's voucher holds every operation of the day, a deposit voided the day it was made both.
std::vector<VoucherLine> deposit_voucher_lines(data::Db& db, const std::string& business,
                                               const std::string& voucher,
                                               const std::string& movement, bool of_void);

}  // namespace qz::domain
