#include "domain/ledger/rates.h"

#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

namespace {

const char* const kRateTable = "T_CAMBIO";
const char* const kRateOrder = "T_CAMB2";

std::string rate_field(int column) {
    if (column == 0 || column == 1) return "CAMBIO";
    if (column >= 2 && column <= 5) return "CAMBIO" + std::to_string(column);
    throw std::invalid_argument("Columna de tipo de cambio fuera de rango: " +
                                std::to_string(column));
}

// The newest row of a pair dated on or before a day, in whichever direction it is stored.
struct StoredRate {
    enum class Direction { None, AsAsked, Reversed };
    Direction direction = Direction::None;
    Date fecha;
    Decimal value;
};

// Lends the handle order T_CAMB2 for one lookup and gives the caller's order back, so a handle
// walked along another order can still be used for rates.
class RateOrder {
public:
    explicit RateOrder(data::WDBTable& t) : m_t(t), m_saved(t.order()) {
        if (m_saved != kRateOrder) m_t.SetOrder(kRateOrder);
    }
    ~RateOrder() {
        // The seeks already wrote any pending change, so switching back has nothing to flush.
        if (m_saved != kRateOrder) m_t.SetOrder(m_saved);
    }
    RateOrder(const RateOrder&) = delete;
    RateOrder& operator=(const RateOrder&) = delete;

private:
    data::WDBTable& m_t;
    std::string m_saved;
};

// Soft seek on business + MONEDA1 + MONEDA2 + days to 2090: ascending keys run from the newest
// rate to the oldest, so the first key at or past the day's is the newest rate on or before it.
bool seek_pair(data::WDBTable& t, const std::string& negocio, const std::string& from,
               const std::string& to, const Date& d) {
    const std::string pair = data::order_key(kRateTable, kRateOrder, {negocio, from, to});
    t.Seek(data::order_key(kRateTable, kRateOrder, {negocio, from, to, d}), true);
    return !t.Eof() && starts_with(t.CurrentKey(), pair);
}

// "Convert b into a" is the pair stored as (b, a): one b is worth CAMBIO a.
StoredRate find_rate(data::WDBTable& rates, const std::string& negocio, const std::string& a,
                     const std::string& b, const Date& d, int column) {
    const std::string field = rate_field(column);
    RateOrder order(rates);
    StoredRate r;
    if (seek_pair(rates, negocio, b, a, d))
        r.direction = StoredRate::Direction::AsAsked;
    else if (seek_pair(rates, negocio, a, b, d))
        r.direction = StoredRate::Direction::Reversed;
    else
        return r;
    r.fecha = rates.date("FECHA");
    r.value = rates.num(field);
    return r;
}

// Runs a lookup on a handle of its own for callers that need one answer.
template <typename Fn>
auto with_rates(data::Db& db, Fn&& fn) {
    data::Table t = data::USE(db, kRateTable, kRateOrder);
    auto result = fn(*t);
    data::KILLTABLA(db, t);
    return result;
}

}  // namespace

Decimal CAMBIO_SPEC(data::Db&, data::WDBTable& rates, const std::string& negocio,
                    const std::string& a, const std::string& b, const Date& d,
                    const RateOptions& opts) {
    if (a == b) return Decimal(1);
    StoredRate r = find_rate(rates, negocio, a, b, d, opts.column);
    if (r.direction == StoredRate::Direction::None) return Decimal();
    Decimal rate = r.value;
    // A row without a date has no day to project from.
    if (!opts.daily_increment.is_zero() && !r.fecha.empty())
        rate += opts.daily_increment * Decimal(d - r.fecha + opts.extra_days);
    if (r.direction == StoredRate::Direction::AsAsked) return rate;
    // A zero rate (imported; the editor refuses one) cannot be inverted: treat it as missing.
    return rate.is_zero() ? Decimal(0) : Decimal(1) / rate;
}

Decimal CAMBIO_SPEC(data::Db& db, const std::string& negocio, const std::string& a,
                    const std::string& b, const Date& d, const RateOptions& opts) {
    if (a == b) return Decimal(1);
    return with_rates(
        db, [&](data::WDBTable& t) { return CAMBIO_SPEC(db, t, negocio, a, b, d, opts); });
}

Decimal CAMBIO_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                   const std::string& a, const std::string& b, const RateOptions& opts) {
    return CAMBIO_SPEC(db, rates, negocio, a, b, db.clock().XDATE(), opts);
}

Decimal CAMBIO_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                   const std::string& b, const RateOptions& opts) {
    return CAMBIO_SPEC(db, negocio, a, b, db.clock().XDATE(), opts);
}

Date CFECHA_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                const std::string& a, const std::string& b) {
    Date today = db.clock().XDATE();
    if (a == b) return today;
    return find_rate(rates, negocio, a, b, today, 1).fecha;
}

Date CFECHA_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                const std::string& b) {
    if (a == b) return db.clock().XDATE();
    return with_rates(db, [&](data::WDBTable& t) { return CFECHA_ACT(db, t, negocio, a, b); });
}

Decimal XCAMBIO_ACT(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                    const std::string& a, const std::string& b, const StoredRateOptions& opts) {
    if (a == b) return Decimal(1);
    StoredRate r = find_rate(rates, negocio, a, b, db.clock().XDATE(), opts.column);
    switch (r.direction) {
        case StoredRate::Direction::AsAsked:
            return -r.value;
        case StoredRate::Direction::Reversed:
            return r.value;
        case StoredRate::Direction::None:
            break;
    }
    return Decimal();
}

Decimal XCAMBIO_ACT(data::Db& db, const std::string& negocio, const std::string& a,
                    const std::string& b, const StoredRateOptions& opts) {
    if (a == b) return Decimal(1);
    return with_rates(db,
                      [&](data::WDBTable& t) { return XCAMBIO_ACT(db, t, negocio, a, b, opts); });
}

namespace {

RequiredRate checked(const Decimal& factor, const std::string& a, const std::string& b,
                     const Date& d) {
    if (factor.sign() > 0) return {factor, ""};
    return {Decimal(), "Falta por definir el tipo de cambio de " + trim(b) + " a " + trim(a) +
                           " al " + d.dtoc4() + "..."};
}

}  // namespace

RequiredRate required_rate(data::Db& db, data::WDBTable& rates, const std::string& negocio,
                           const std::string& a, const std::string& b, const Date& d,
                           const RateOptions& opts) {
    return checked(CAMBIO_SPEC(db, rates, negocio, a, b, d, opts), a, b, d);
}

RequiredRate required_rate(data::Db& db, const std::string& negocio, const std::string& a,
                           const std::string& b, const Date& d, const RateOptions& opts) {
    return checked(CAMBIO_SPEC(db, negocio, a, b, d, opts), a, b, d);
}

Decimal rate_factor_from_signed(const Decimal& signed_rate) {
    if (signed_rate.sign() < 0) return signed_rate.abs();
    if (signed_rate.is_zero()) return Decimal();
    return Decimal(1) / signed_rate;
}

Date stale_rate_limit(const Date& today, bool by_days, int amount) {
    return by_days ? today - static_cast<long>(amount) : today.add_months(-amount);
}

}  // namespace qz::domain
