#pragma once
// The second network's replies: fields separated by ";", counted from 1. A reply that does not
// have the shape expected is never read as an approval: the caller treats it as a denial.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qz::services::terminals {

// What the cashier and the log are told of a reply that could not be read. The network may
// have charged the card all the same, so it sends the cashier to the terminal.
inline constexpr const char* kUnreadableReply =
    "Respuesta no reconocida de la red de tarjetas: verifique en la terminal si el cargo se "
    "aplicó";

// The same in the log, within the width of LOG_P_EL's DESCRIP.
inline constexpr const char* kUnreadableLog = "Respuesta no reconocida de la red";

struct SockPosReply {
    std::string code, message, reference, authorisation, trace;
    std::vector<std::string> fields;
};

// A purchase or void reply: at least 7 fields, a reply code of up to 4 letters or digits,
// reference, authorisation and trace of at most 12 characters (what the tenders and LOG_P_EL
// keep), and no control characters anywhere. Nothing otherwise.
std::optional<SockPosReply> parse_sockpos_reply(std::string_view reply);

// The lines the closing dialog shows for a settlement or report reply: fields 1, 2, 4 and 6,
// the amounts in cents of fields 12 and 13 (picture "999,999,999,999.99") and the counts of
// fields 14 and 15 (picture "999,999,999,999"). Nothing when the reply is unreadable or those
// four fields are not whole numbers.
std::optional<std::vector<std::pair<std::string, std::string>>> closing_lines(
    std::string_view reply);

}  // namespace qz::services::terminals
