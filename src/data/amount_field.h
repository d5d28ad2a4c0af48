#pragma once
// The picture and bounds of a number field of the catalogue, for the screens that show and read
// it: one call names the table field, the catalogue gives its width and decimals.
#include <string>

#include "core/amount.h"

namespace qz::data {

// The field `table`.`field` (an N field of the catalogue) as an amount that may not be negative;
// `label` names it in the messages. A table or field the catalogue does not know, or one that is
// not a number, is a programming error (std::logic_error).
AmountField amount_field(const std::string& table, const std::string& field, std::string label);

// The same for a percentage: between 0 and 100 as well.
AmountField percent_field(const std::string& table, const std::string& field, std::string label);

}  // namespace qz::data
