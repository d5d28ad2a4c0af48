#pragma once
// Exchange-rate lookup. T_CAMBIO holds dated rates of currency pairs: a row (MONEDA1, MONEDA2,
// FECHA, CAMBIO) says one unit of MONEDA1 is worth CAMBIO units of MONEDA2 from FECHA on. Only
// one direction of a pair is stored, so every lookup tries the pair as asked and then reversed.
//
// The lookups that take a rates handle are meant for loops over many documents: they seek on the
// caller's open handle (order T_CAMB2 is switched in for the lookup and the caller's order put
// back) and write nothing; the handle is left where the last seek stopped. A scope set on the
// handle would hide other pairs, so the handle given here must not carry one. The overloads
// without a handle open T_CAMBIO for a single answer.
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// The optional parts of a rate lookup, named at the call (`{.column = 2}`) so that a column is
// never taken for an increment.
struct RateOptions {
    // A daily increment projects the stored rate: rate + increment × (days from the rate's date
    // to the day asked + extra_days).
    Decimal daily_increment;
    long extra_days = 0;
    int column = 1;  // CAMBIO (0 or 1) or CAMBIO2..CAMBIO5
};

// Factor converting an amount in currency `b` into currency `a` on date `d`: the newest rate of
// the pair dated on or before `d`. 1 when a == b, 0 when the pair has no rate by then.
Decimal CAMBIO_SPEC(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                    const std::string& a, const std::string& b, const Date& d,
                    const RateOptions& opts = {});
Decimal CAMBIO_SPEC(data::Db& db, const std::string& negocio, const std::string& a,
                    const std::string& b, const Date& d, const RateOptions& opts = {});

// CAMBIO_SPEC for the business date.
Decimal CAMBIO_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                   const std::string& a, const std::string& b, const RateOptions& opts = {});
Decimal CAMBIO_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                   const std::string& b, const RateOptions& opts = {});

// Date of the rate between a and b in force on the business date: the business date itself when
// a == b, an empty date when the pair has no rate yet.
Date CFECHA_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                const std::string& a, const std::string& b);
Date CFECHA_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                const std::string& b);

// The column of XCAMBIO_ACT, named at the call as in RateOptions.
struct StoredRateOptions {
    int column = 1;  // CAMBIO (0 or 1) or CAMBIO2..CAMBIO5
};

// The stored rate in force on the business date with its direction in the sign: −CAMBIOk when
// the pair is stored as (b, a), +CAMBIOk when stored as (a, b), 0 when there is none. 1 when
// a == b, which reads the same either way.
Decimal XCAMBIO_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                    const std::string& a, const std::string& b, const StoredRateOptions& opts = {});
Decimal XCAMBIO_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                    const std::string& b, const StoredRateOptions& opts = {});

// A factor that may be used to convert, or why there is none. A lookup answers 0 for a missing
// rate; converting with that would store or post zero amounts, so every caller that converts
// with a looked-up rate goes through required_rate and refuses with `problem`.
struct RequiredRate {
    Decimal factor;
    std::string problem;  // "" when the factor is usable
    explicit operator bool() const { return problem.empty(); }
};

// CAMBIO_SPEC that refuses a missing rate with "Falta por definir el tipo de cambio de <b> a <a>
// al <dd/mm/yyyy>...".
RequiredRate required_rate(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                           const std::string& a, const std::string& b, const Date& d,
                           const RateOptions& opts = {});
RequiredRate required_rate(data::Db& db, const std::string& negocio, const std::string& a,
                           const std::string& b, const Date& d, const RateOptions& opts = {});

// Turns a signed rate from XCAMBIO_ACT into the factor CAMBIO_ACT would give (the XMANEJO_TC = 1
// mode): a negative rate is used without its sign, a positive one inverted, 0 stays 0.
Decimal rate_factor_from_signed(const Decimal& signed_rate);

// Oldest acceptable date of a currency's rate for the start-up warning: `amount` days back when
// `by_days` (CHECK_MON = 1), else `amount` calendar months back, on the month's last day when
// the same day does not exist there.
Date stale_rate_limit(const Date& today, bool by_days, int amount);

}  // namespace qz::domain
