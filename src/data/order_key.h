#pragma once
// Seek keys built the way the database computes an order's key: each part padded, cut, aligned
// or converted by the key part the catalogue declares for that order, so no caller pads a key by
// a width of its own. Fewer values than the order has parts make a prefix key (a seek or a
// scope over the leading parts).
//
//     t->Seek(order_key("SPA_RESE", "SPA_RESE", {business, code}));
//     t->SetScope(order_key("SPA_SALA", "SPA_SALA", {business}), ...);
#include <initializer_list>
#include <string>
#include <variant>

#include "core/date.h"

namespace qz::data {

// Every business-keyed table keeps NEGOCIO in this many characters.
inline constexpr int kBusinessWidth = 15;

// One key part's value: a text (fields, upper-cased fields and computed parts), a date (date
// and days-to-2090 parts) or a whole number (number parts).
using KeyValue = std::variant<std::string, Date, long long>;

// The key of `order` of `table` for the leading parts given. Throws std::logic_error for an
// unknown table or order, more values than parts, or a value of the wrong kind for its part —
// those are programming faults, never the user's input.
std::string order_key(const std::string& table, const std::string& order,
                      std::initializer_list<KeyValue> parts);

// Same, followed by `partial` unpadded: a soft seek on the beginning of the next part (a name
// being typed in a search field).
std::string order_key_prefix(const std::string& table, const std::string& order,
                             std::initializer_list<KeyValue> parts, const std::string& partial);

// The business part alone: the scope of every business-keyed order.
std::string business_key(const std::string& business);

// The characters the catalogue gives the field `table`.`field`: the longest code a user may
// type for it, since its key part would cut a longer one and name another record. Throws
// std::logic_error for a table or field the catalogue does not know.
size_t field_width(const std::string& table, const std::string& field);

}  // namespace qz::data
