#include "domain/pos/change_calc.h"

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"

namespace qz::domain::pos {

namespace {

int column_of(const Decimal& setting) {
    const long long c = setting.to_int();
    return c >= 1 && c <= 5 ? static_cast<int>(c) : 1;
}

Decimal or_one(const Decimal& rate) { return rate.is_zero() ? Decimal(1) : rate; }

}  // namespace

ChangeRates read_change_rates(data::Db& db, const std::string& business,
                              const std::string& sale_currency) {
    ChangeRates r;
    r.sale_currency = trim(sale_currency);
    int kind1 = 1, kind2 = 1;
    {
        data::Table f = data::USE(db, "F_FAC", "F_FAC");
        if (f->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
            r.ticket_currency = trim(f->str("MONEDA_TIQ"));
            kind1 = column_of(f->num("TC_FAC"));
            kind2 = column_of(f->num("TC_FAC2"));
        }
        data::KILLTABLA(db, f);
    }
    if (r.ticket_currency.empty() || r.ticket_currency == r.sale_currency) {
        r.ticket_currency = r.sale_currency;
        return r;
    }
    const auto& sale = r.sale_currency;
    const auto& tiq = r.ticket_currency;
    // A missing rate leaves the amounts as they are rather than showing zeros.
    r.to_ticket = or_one(CAMBIO_ACT(db, business, tiq, sale, {.column = kind1}));
    r.to_sale = or_one(CAMBIO_ACT(db, business, sale, tiq, {.column = kind2}));
    r.shown1 = or_one(CAMBIO_ACT(db, business, sale, tiq, {.column = kind1}));
    r.shown2 = r.to_sale;
    return r;
}

CtrlCambio::CtrlCambio(const Decimal& to_pay, ChangeRates rates)
    : m_to_pay(to_pay), m_rates(std::move(rates)) {}

const std::string& CtrlCambio::shown_currency() const {
    return m_ticket ? m_rates.ticket_currency : m_rates.sale_currency;
}

Decimal CtrlCambio::to_pay() const {
    return m_ticket ? (m_to_pay * m_rates.to_ticket).round(2) : m_to_pay;
}

Decimal CtrlCambio::change() const {
    const Decimal factor = m_ticket ? m_rates.to_sale : Decimal(1);
    return ((m_received - to_pay()) * factor).round(2);
}

std::string CtrlCambio::rate_line(int kind) const {
    return "T.C : " + trim(pic_format(kind == 2 ? m_rates.shown2 : m_rates.shown1, "99,999.99"));
}

}  // namespace qz::domain::pos
