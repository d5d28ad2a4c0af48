#include "services/terminals/sockpos_reply.h"

#include <cctype>

#include "core/decimal.h"
#include "core/picture.h"
#include "core/text.h"

namespace qz::services::terminals {

namespace {

constexpr size_t kTransactionFields = 7, kClosingFields = 15;
constexpr size_t kMaxCode = 4, kMaxNumberField = 12;
// Eighteen digits keep a count or an amount in cents inside what Decimal holds exactly.
constexpr size_t kMaxDigits = 18;

bool has_control(std::string_view s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7f) return true;
    return false;
}

// The fields of a reply, without the line end a network may send after the last one.
std::optional<std::vector<std::string>> fields_of(std::string_view reply, size_t at_least) {
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == '\r')) reply.remove_suffix(1);
    if (reply.empty() || has_control(reply)) return std::nullopt;
    std::vector<std::string> f = split(reply, ';');
    if (f.size() < at_least) return std::nullopt;
    for (auto& x : f) x = trim(x);
    const std::string& code = f[0];
    if (code.empty() || code.size() > kMaxCode) return std::nullopt;
    for (unsigned char c : code)
        if (!std::isalnum(c)) return std::nullopt;
    return f;
}

std::optional<Decimal> whole_number(const std::string& s) {
    if (s.empty() || s.size() > kMaxDigits) return std::nullopt;
    for (unsigned char c : s)
        if (!std::isdigit(c)) return std::nullopt;
    return Decimal::parse(s);
}

}  // namespace

std::optional<SockPosReply> parse_sockpos_reply(std::string_view reply) {
    auto f = fields_of(reply, kTransactionFields);
    if (!f) return std::nullopt;
    SockPosReply r;
    r.fields = std::move(*f);
    r.code = r.fields[0];
    r.message = r.fields[1];
    r.reference = r.fields[4];
    r.authorisation = r.fields[5];
    r.trace = r.fields[6];
    for (const std::string* s : {&r.reference, &r.authorisation, &r.trace})
        if (s->size() > kMaxNumberField) return std::nullopt;
    return r;
}

std::optional<std::vector<std::pair<std::string, std::string>>> closing_lines(
    std::string_view reply) {
    const auto f = fields_of(reply, kClosingFields);
    if (!f) return std::nullopt;
    std::optional<Decimal> n[4];
    for (size_t i = 0; i < 4; ++i)
        if (!(n[i] = whole_number((*f)[11 + i]))) return std::nullopt;
    const char* amounts = "999,999,999,999.99";
    const char* counts = "999,999,999,999";
    return std::vector<std::pair<std::string, std::string>>{
        {"Código de respuesta", (*f)[0]},
        {"Mensaje", (*f)[1]},
        {"Lote", (*f)[3]},
        {"Fecha", (*f)[5]},
        {"Monto de ventas", trim(pic_format(*n[0] / 100, amounts))},
        {"Monto de anulaciones", trim(pic_format(*n[1] / 100, amounts))},
        {"Cantidad de ventas", trim(pic_format(*n[2], counts))},
        {"Cantidad de anulaciones", trim(pic_format(*n[3], counts))},
    };
}

}  // namespace qz::services::terminals
