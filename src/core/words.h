#pragma once
// Amounts in words for receipts, documents and deposit vouchers. The wording is the one the
// printed forms have always used (including "THOUSEND" and "EIGHTTEEN" in English), so reprints
// of old documents read the same.
#include <string>

#include "core/decimal.h"

namespace qz {

// Spanish words of an amount up to 999 999 999.99, laid out in lines of `width` characters; the
// first line is returned: the whole text when it fits, otherwise the line padded with "/" (with a
// "-" where a word was split between syllables). Printouts pass 300 so the amount fits.
// The sign is ignored; larger amounts give `width` asterisks.
std::string MONEX(const Decimal& amount, int width, bool without_cents = false);
// English words, same layout; cents are always written.
std::string MONEXINGLES(const Decimal& amount, int width);
// language 1 = Spanish, 2 = English.
std::string MONEX2(const Decimal& amount, int width, bool without_cents, int language = 1);

}  // namespace qz
