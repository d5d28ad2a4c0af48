#pragma once
// What a spa sells: its services and articles (DEF_ART, kept through the point of sale's
// article rows) with their tax, sub-line and discount limits, the sub-lines' own checks
// (SUB_LIN), the price types (ENC_PREC) with their price lists (DET_PREC) and customers'
// special prices (PRE_CLIE).
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_price_lists.h"

namespace qz::domain::spa {

// A service is an article of the master; its sub-line carries the checks of its lines.
using Service = pos::Article;
using Subline = pos::Subline;

// The price rows are the point of sale's.
using pos::PriceRow;
using pos::PriceType;

std::optional<Service> read_service(data::Db& db, const std::string& business,
                                    const std::string& code);
// What is wrong with a service form (the sub-line must exist when given, the alternative code
// must be its own); "" when nothing.
std::string check_service(data::Db& db, const std::string& business, const Service& s);
// Adds (`old_code` empty) or rewrites the service `old_code`; a service's code is kept by
// sales and reservation lines, so it cannot change once saved. True when saved.
bool save_service(data::Db& db, UserPort& port, const std::string& business,
                  const std::string& old_code, const Service& s);
// Deletes the service with its prices in every price list, its bar codes and warehouse rows,
// after asking; refused while a warehouse holds units of it. True when deleted.
bool delete_service(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& code);

std::string check_subline(const Subline& s);
bool save_subline(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                  const Subline& s);
bool delete_subline(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& line, const std::string& code);

std::string check_price_type(data::Db& db, const std::string& business, const PriceType& t);
bool save_price_type(data::Db& db, UserPort& port, const std::string& business, bool is_new,
                     const PriceType& t);
// Refused while its price list still has prices.
bool delete_price_type(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& code);

// The price of a service in a price type's list; nothing when the list has none.
std::optional<Decimal> list_price(data::Db& db, const std::string& business,
                                  const std::string& type, const std::string& article);
// Sets (adding or rewriting) the list price; the type and the service must exist and the
// price must not be negative.
bool set_list_price(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& type, const std::string& article, const Decimal& price);
bool delete_list_price(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& type, const std::string& article);

// A customer's special price of a service in a price type (PRE_CLIE); set and delete as above,
// the customer must exist too.
std::optional<Decimal> special_price(data::Db& db, const std::string& business,
                                     const std::string& customer, const std::string& article,
                                     const std::string& type);
bool set_special_price(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& customer, const std::string& article,
                       const std::string& type, const Decimal& price);
bool delete_special_price(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& customer, const std::string& article,
                          const std::string& type);

}  // namespace qz::domain::spa
