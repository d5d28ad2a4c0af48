#pragma once
// The cash closing of a register (P_CIERRE): every receipt taken at the register within a period,
// grouped by payment type in code order and converted to the closing currency, with the type
// totals, the grand total, the total actually collected and the taxed, exempt and tax amounts of
// the documents the receipts paid. Reading it changes nothing, so a preliminary closing can be
// taken any number of times while the register is open.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/cash/register_rows.h"

namespace qz::domain::cash {

struct ClosingRequest {
    std::string business, register_code;
    Date start_date;
    std::string start_time;
    Date end_date;              // empty = the business date
    std::string end_time;       // empty = "23:59:59"
    std::string operator_code;  // the shift's operator, for "Cajero: "
    const RegisterTables* family = &kPosRegisters;
};

// The period of a shift: up to its end, or up to `end` while it runs (a closing about to be
// written, or a preliminary one).
ClosingRequest shift_closing(const std::string& business, const CashShift& shift,
                             const RegisterTables& family = kPosRegisters,
                             const std::optional<DateTime>& end = std::nullopt);

// One tender line of a receipt, converted: line amount × sign of its type × the receipt's rate.
// The closing of shift `number` of a point-of-sale register, counting its shifts from the oldest
// (1) as the register list shows them; without a number, its newest shift. A running shift runs
// up to the business date and time. `refusal` says why there is none.
struct ShiftPick {
    std::optional<ClosingRequest> request;
    std::string refusal;
};
ShiftPick pick_shift_closing(data::Db& db, const std::string& business,
                             const std::string& register_code, std::optional<long> number);

struct ClosingLine {
    Date date;
    std::string time, receipt, customer;
    std::string reference;  // the applied document; "*" first when the receipt applies several
    std::string symbol;     // the receipt's currency
    Decimal amount;
};

struct ClosingType {
    std::string code, description;
    bool money_out = false;      // TIPO not 0: its lines subtract
    bool not_collected = false;  // NO_CIERRE: left out of the collected total
    std::vector<ClosingLine> lines;
    Decimal total;
};

struct Closing {
    std::string register_code, register_name, cashier;
    Date start_date, end_date;
    std::string start_time, end_time;
    std::string currency, symbol;    // the closing currency (the accounting one when none is set)
    std::vector<ClosingType> types;  // every payment type of the business, in code order
    Decimal grand_total, collected, taxed, exempt, tax;
    long receipts = 0;  // receipts of the period with at least one line of a known type
};

// Nothing when the register does not exist.
std::optional<Closing> read_closing(data::Db& db, const ClosingRequest& request);

// The period as the report's titles show it: "Entre: dd/mm/yyyy hh:mm:ss  y dd/mm/yyyy ...".
std::string closing_period(const Closing& c);

}  // namespace qz::domain::cash
