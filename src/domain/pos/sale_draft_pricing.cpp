// How the sale proposes a line's price: the customer's own or the list price of the price type,
// a special price when one applies to the quantity, converted to the sale's currency and rounded;
// or the average cost for cost-only price types and for lines repriced at cost.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/rates.h"
#include "domain/pos/price_rules.h"
#include "domain/pos/sale_draft.h"
#include "domain/pos/sale_figures.h"

namespace qz::domain::pos {

namespace {

// The daily increment of the pair (either direction), which projects its rate over the term.
Decimal pair_increment(data::Db& db, const std::string& business, const std::string& a,
                       const std::string& b) {
    data::Table t = data::USE(db, "DET_MON", "DET_MON");
    Decimal daily;
    if (t->Seek(data::order_key("DET_MON", "DET_MON", {business, a, b})) ||
        t->Seek(data::order_key("DET_MON", "DET_MON", {business, b, a})))
        daily = pair_from_row(*t).daily;
    data::KILLTABLA(db, t);
    return daily;
}

}  // namespace

// The factor from the price list's currency to the sale's: the price-list rate column, projected
// over the term when the concept asks for it. A list without a currency is in the sale's.
Decimal SaleDraft::list_rate(const std::string& list_currency) const {
    if (trim(list_currency).empty() || list_currency == m_header.currency) return Decimal(1);
    RateOptions opts{.column = m_settings.sale.price_rate_column};
    if (m_concept && m_concept->flag("PROYECTA")) {
        opts.daily_increment = pair_increment(m_db, m_business, m_header.currency, list_currency);
        opts.extra_days = m_header.term_days;
    }
    return CAMBIO_ACT(m_db, m_business, m_header.currency, list_currency, opts);
}

SaleDraft::Proposal SaleDraft::propose(const Article& a, const Decimal& quantity) const {
    const std::string list_currency = m_price_type ? m_price_type->currency : "";
    const Decimal rate = list_rate(list_currency);
    if (m_at_cost || (m_price_type && m_price_type->cost_only))
        return {(a.average_cost * rate).round(kPricePlaces), 0, true};

    Proposal p;
    Decimal list;
    if (const auto base =
            lookup_base_price(m_db, m_business, a.code, m_header.price_type, m_header.customer))
        list = base->price;
    const SpecialPriceQuery q{a.code,   m_header.price_type, a.line, a.subline,
                              quantity, m_db.clock().XDATE()};
    if (const auto hit = XGET_PRECIO2(m_db, m_business, q)) {
        // A percentage comes off the article's own price for this sale, never off a price
        // already reduced, so that pricing a line again does not take it off twice.
        list = hit->percent ? percent_off(list, hit->value) : hit->value;
        p.rule = hit->rule;
    }
    p.found = list > 0;
    const PriceRules rules{rate, m_header.list_reduction, m_settings.sale.price_rounding,
                           m_price_type && m_price_type->tax_included};
    p.price = propose_unit_price(list, a.tax, rules);
    return p;
}

void SaleDraft::reprice(SaleLine& l, const Article& a) {
    if (l.manual) return;
    const Proposal p = propose(a, l.quantity);
    l.price = p.price;
    l.special_rule = p.rule;
    l.has_list_price = p.found;
    l.price_type = m_header.price_type;
}

void SaleDraft::reprice_all() {
    change_lines([&](SaleLine& l, const Article& a) { reprice(l, a); });
}

void SaleDraft::change_lines(const std::function<void(SaleLine&, const Article&)>& change) {
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (!coded(i)) continue;
        const auto a = read_article(m_db, m_business, m_lines[i].code);
        if (!a) continue;
        RESTA_ART(i);
        change(m_lines[i], *a);
        SUMA_ART(i);
    }
}

}  // namespace qz::domain::pos
