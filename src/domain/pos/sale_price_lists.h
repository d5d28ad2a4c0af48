#pragma once
// Price types (ENC_PREC), their price lists (DET_PREC) and customers' own prices (PRE_CLIE):
// the one place that knows these rows, used by the point of sale and the spa alike.
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain::pos {

struct PriceType {
    std::string code, name, currency;
    bool tax_included = false;  // IMP_INCL: list prices include the article's tax
    bool cost_only = false;     // SOLO_COSTO: articles are sold at their average cost
};

// A price of an article in a price type's list (DET_PREC), or a customer's own (PRE_CLIE).
struct PriceRow {
    std::string customer;  // blank in a price list
    std::string type, article;
    Decimal price;
    Date date;  // when a customer's price was set
};

PriceType price_type_from_row(const data::WDBTable& t);
// SOLO_COSTO is left as it stands: the price-type form that writes through here does not show it.
void put_price_type_row(data::WDBTable& t, const std::string& business, const PriceType& p);
PriceRow list_price_from_row(const data::WDBTable& t);
void put_list_price_row(data::WDBTable& t, const std::string& business, const PriceRow& p);
PriceRow customer_price_from_row(const data::WDBTable& t);
void put_customer_price_row(data::WDBTable& t, const std::string& business, const PriceRow& p);

std::optional<PriceType> read_price_type(data::Db& db, const std::string& business,
                                         const std::string& code);

// The price an article starts from in a price type: the customer's own price when there is one
// (`customer` true), else the price list's; nothing when neither has one.
struct BasePrice {
    Decimal price;
    bool customer = false;
};
std::optional<BasePrice> lookup_base_price(data::Db& db, const std::string& business,
                                           const std::string& article,
                                           const std::string& price_type,
                                           const std::string& customer);

}  // namespace qz::domain::pos
