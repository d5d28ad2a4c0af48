#pragma once
// Special prices (PRE_ESP1): ten quantity tiers per article and price type, or per line and
// sub-line for every article of a price type, each rule either permanent or held to a date
// window. The sale asks for the price of an article here before it falls back on the list.
#include <array>
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::pos {

// Tier k applies from CANT_(2k−1) to CANT_(2k), both included, and gives PRECIO_k.
struct PriceTier {
    Decimal from, to, value;
};

struct SpecialPrice {
    std::string article;  // blank: the rule is for a line and sub-line
    std::string price_type, line, subline;
    Date from, to;         // FECHA_INI, FECHA_FIN; both empty for a permanent rule
    bool percent = false;  // TIPO_PREC 2: tier values are percentages off the price
    std::array<PriceTier, 10> tiers;
};

SpecialPrice special_price_from_row(const data::WDBTable& t);
void put_special_price_row(data::WDBTable& t, const std::string& business, const SpecialPrice& s);

// VERIFICA_VALOR: the value of the first tier (1 to 10) whose range holds `quantity`; 0 when
// none does.
Decimal VERIFICA_VALOR(const SpecialPrice& s, const Decimal& quantity);

struct SpecialPriceQuery {
    std::string article, price_type, line, subline;
    Decimal quantity;
    Date today;
};

// The rule that prices the article, tried in this order: the article's dated rule (1), its
// permanent rule (2), the dated rule of its line and sub-line (3), the permanent one (4). The
// first whose tier gives more than zero wins. Line and sub-line rules are always percentages.
struct SpecialPriceHit {
    int rule = 0;  // P_ESP
    Decimal value;
    bool percent = false;
};
std::optional<SpecialPriceHit> XGET_PRECIO2(data::Db& db, const std::string& business,
                                            const SpecialPriceQuery& q);

}  // namespace qz::domain::pos
