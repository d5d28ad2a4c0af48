#pragma once
// Reads of P_ELECT, the workstations' card terminals, shared by the card service and the
// closings.
#include <optional>
#include <string>

#include "data/wdbtable.h"
#include "services/terminals/card_closings.h"

namespace qz::services::terminals {

inline constexpr const char* kPosWareBank = "01";
inline constexpr const char* kSockPosBank = "02";

TerminalRow terminal_from_row(const data::WDBTable& t);

// The station's terminal of network `bank` for `currency` (order P_ELECT).
std::optional<TerminalRow> find_terminal(data::Db& db, const std::string& business,
                                         const std::string& station, const std::string& bank,
                                         const std::string& currency);

// The terminal found again by station, network and its three parameters (order P_ELECT2): a
// row chosen on a list may have been changed or deleted since.
std::optional<TerminalRow> find_terminal_again(data::Db& db, const TerminalRow& chosen);

}  // namespace qz::services::terminals
