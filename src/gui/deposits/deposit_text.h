#pragma once
// How the deposits' screens and printouts show amounts, rates and dates: through the money and
// rate pictures, an empty date as nothing.
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "core/picture.h"
#include "core/text.h"

namespace qz::gui::deposit_text {

inline std::string money(const Decimal& d) { return trim(pic_format(d, "999,999,999.99")); }
inline std::string rate(const Decimal& d) { return trim(pic_format(d, "99,999.99999")); }
inline std::string date(const Date& d) { return d.empty() ? "" : d.dtoc4(); }

}  // namespace qz::gui::deposit_text
