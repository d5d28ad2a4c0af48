#pragma once
// What the two networks' calls share: the amount as the terminals take it, the refusals told
// before anything is sent, and wiping the memory that held card data.
#include <optional>
#include <string>

#include "core/decimal.h"

namespace qz::services::terminals {

// The amount in picture "999999999.99", trimmed ("125.50"). Nothing when it is not above zero
// or does not fit the picture: a terminal must never be sent asterisks or a negative charge.
std::optional<std::string> terminal_amount(const Decimal& amount);
std::string invalid_amount_text(const Decimal& amount);

std::string no_terminal_text(const std::string& station, const std::string& bank,
                             const std::string& currency);

// Overwrites the memory so that card data does not linger after it is freed.
void wipe(void* data, size_t size);
void wipe(std::string& s);

}  // namespace qz::services::terminals
