#pragma once
// A saved deposit with everything its booking left behind, as the deposit's view and voucher
// show it: its concept's name, the journal lines of its booking and of its void (only the
// deposit's own: a day's voucher also holds other operations) and the bank-book movements.
#include <optional>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/deposits/bank_book.h"
#include "domain/deposits/deposit_record.h"
#include "domain/ledger/journal.h"

namespace qz::domain {

struct DepositView {
    DepositRecord record;
    std::string concept_name;  // CON_HLIB.DESCRIP
    std::string made_by_name;  // HECHOPOR.NOMBRE
    std::vector<VoucherLine> booking_lines, void_lines;
    std::optional<BankBookEntry> bank_movement, void_bank_movement;
};

// None when the business has no deposit `movement`.
std::optional<DepositView> read_deposit_view(data::Db& db, const std::string& business,
                                             const std::string& movement);

}  // namespace qz::domain
