#pragma once
// The cash count of a front-desk shift (screen HCAJAS5): the amount counted for each payment
// type, typed while the shift runs and kept in ARQ_HCAJ keyed by the shift (register, start date
// and time) and the payment type. Saving a count replaces the shift's previous one.
#include <string>
#include <vector>

#include "core/decimal.h"
#include "data/db.h"
#include "domain/cash/register_rows.h"

namespace qz::domain::cash {

struct CountLine {
    std::string payment_type;  // TIPO_MOV code
    std::string description;
    Decimal amount;
};

// Every payment type of the business with what the shift's count holds for it (0 when none).
std::vector<CountLine> read_cash_count(data::Db& db, const std::string& business,
                                       const CashShift& shift);
// Stores the count in one transaction (lines of 0 are not kept); the user and the business
// clock stamp it.
void save_cash_count(data::Db& db, const std::string& business, const CashShift& shift,
                     const std::vector<CountLine>& lines, const std::string& user);
Decimal count_total(const std::vector<CountLine>& lines);

}  // namespace qz::domain::cash
