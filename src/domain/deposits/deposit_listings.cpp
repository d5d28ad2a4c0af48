#include "domain/deposits/deposit_listings.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// Every deposit whose ENC_HLIB key in `order` lies between the two keys, in that order.
void for_deposits(data::Db& db, const std::string& order, const std::string& top,
                  const std::string& bottom, const std::function<void(const DepositHeader&)>& fn) {
    data::Table t = data::USE(db, "ENC_HLIB", order);
    t->SetScope(top, bottom);
    for (t->GoTop(); !t->Eof(); t->Skip()) fn(deposit_header_from_row(*t));
    data::KILLTABLA(db, t);
}

void add_to_totals(std::vector<DepositCurrencyTotal>& totals, const DepositHeader& h) {
    auto it = std::find_if(totals.begin(), totals.end(), [&h](const DepositCurrencyTotal& t) {
        return t.currency == h.currency;
    });
    if (it == totals.end())
        it = totals.insert(totals.end(), DepositCurrencyTotal{h.currency, 0, {}, {}});
    ++it->count;
    it->amount += h.amount;
    it->balance += h.balance;
}

DepositListing with_totals(std::vector<DepositHeader> deposits) {
    DepositListing out{std::move(deposits), {}};
    for (const auto& h : out.deposits)
        if (!h.voided()) add_to_totals(out.totals, h);
    std::sort(out.totals.begin(), out.totals.end(),
              [](const auto& a, const auto& b) { return a.currency < b.currency; });
    return out;
}

}  // namespace

std::string deposit_state_name(const DepositHeader& h) {
    if (h.voided()) return "Anulado";
    return h.balance.is_zero() ? "Aplicado" : "Pendiente";
}

std::string check_deposit_period(const Date& from, const Date& to) {
    if (from.empty()) return "La fecha inicial es requerida...";
    if (to.empty()) return "La fecha final es requerida...";
    if (to < from) return "La fecha final no puede ser menor a la fecha inicial.";
    return {};
}

DepositListing deposits_by_date(data::Db& db, const std::string& business, const Date& from,
                                const Date& to) {
    std::vector<DepositHeader> found;
    if (!check_deposit_period(from, to).empty()) return {};
    for_deposits(db, "ENC_HLIB4", data::order_key("ENC_HLIB", "ENC_HLIB4", {business, from}),
                 data::order_key("ENC_HLIB", "ENC_HLIB4", {business, to}),
                 [&found](const DepositHeader& h) { found.push_back(h); });
    return with_totals(std::move(found));
}

DepositListing pending_deposits(data::Db& db, const std::string& business) {
    std::vector<DepositHeader> found;
    const std::string visible = data::order_key("ENC_HLIB", "ENC_HLIB2", {business, 1LL});
    for_deposits(db, "ENC_HLIB2", visible, visible, [&found](const DepositHeader& h) {
        // VER alone is not enough: a voided deposit may still be marked visible.
        if (!h.voided() && !h.balance.is_zero()) found.push_back(h);
    });
    return with_totals(std::move(found));
}

ReservationDepositListing deposits_by_reservation(data::Db& db, const std::string& business,
                                                  const std::string& reservation) {
    ReservationDepositListing out;
    out.currency = read_deposit_settings(db, business).reservation_currency;
    const std::string code = normal_code(reservation);
    const std::string key = code.empty()
                                ? data::order_key("DET_RES8", "DET_RES8", {business})
                                : data::order_key("DET_RES8", "DET_RES8", {business, code});
    // A deposit spread over several room lines is read once.
    std::map<std::string, std::optional<DepositHeader>> headers;
    data::Table t = data::USE(db, "DET_RES8", "DET_RES8");
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        ReservationDepositLine l{applied_deposit_from_row(*t), "", "", {}};
        auto [it, fresh] = headers.try_emplace(l.applied.deposit);
        if (fresh)
            it->second = read_code_row<DepositHeader>(db, "ENC_HLIB", business, l.applied.deposit,
                                                      deposit_header_from_row);
        if (it->second) {
            l.payer = it->second->full_name;
            l.deposit_currency = it->second->currency;
            l.deposit_amount = it->second->amount;
        }
        if (out.per_reservation.empty() ||
            out.per_reservation.back().first != l.applied.reservation)
            out.per_reservation.emplace_back(l.applied.reservation, Decimal());
        out.per_reservation.back().second += l.applied.amount;
        out.total += l.applied.amount;
        out.lines.push_back(std::move(l));
    }
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace qz::domain
