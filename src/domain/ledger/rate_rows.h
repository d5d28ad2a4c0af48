#pragma once
// The dated rates of a pair as the rates window keeps them (T_CAMBIO): one row per pair and
// date, five rate columns, the first never zero.
#include <array>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct DatedRate {
    std::string from, to;  // MONEDA1, MONEDA2: one `from` is worth CAMBIO `to`
    Date fecha;
    std::array<Decimal, 5> rates;  // CAMBIO, CAMBIO2 .. CAMBIO5
};

DatedRate dated_rate_from_row(const data::WDBTable& t);
// The pair's rates, newest first.
std::vector<DatedRate> pair_rates(data::Db& db, const std::string& business,
                                  const std::string& from, const std::string& to);

// What is wrong with a rate; "" when nothing.
std::string check_dated_rate(const DatedRate& r);

// Refuses a second rate of the pair on the same date: the lookup would pick one at random.
bool add_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& user, const DatedRate& r);
// Changes the row of `old_date` only (its date too).
bool modify_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& user, const Date& old_date, const DatedRate& r);
bool delete_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                       const DatedRate& r);

inline constexpr const char* kZeroFirstRate = "El Tipo de Cambio #1 debe ser distinto de CERO";

}  // namespace qz::domain
