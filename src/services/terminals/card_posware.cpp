// The first network: one ProcessTransaction call for a purchase ("S") or a void ("W"). The
// network approves with code 0; any other code is passed back as the denial's text.
#include <array>
#include <charconv>
#include <cstring>

#include "core/text.h"
#include "services/terminals/card_abi.h"
#include "services/terminals/card_attempt.h"
#include "services/terminals/card_library.h"
#include "services/terminals/card_service.h"
#include "services/terminals/terminal_rows.h"

namespace qz::services::terminals {

using domain::pos::CardAnswer;
using domain::pos::CardRequest;

namespace {

constexpr int kApproved = 0;
constexpr int kVendorOption = 99;

// A field the library filled: NULs inside the width stand for blanks.
template <size_t N>
std::string field_text(const std::array<char, N>& buf) {
    std::string s(buf.data(), N - 1);
    for (char& c : s)
        if (c == '\0') c = ' ';
    return trim(s);
}

template <size_t N>
void put(std::array<char, N>& buf, const std::string& text) {
    std::strncpy(buf.data(), text.c_str(), N - 1);
}

// The amount as a double read from its decimal text, so that the terminal gets the nearest
// double to the exact amount and not the residue of a binary computation. from_chars ignores
// the locale: a Spanish LC_NUMERIC would read "125.50" as 125 through strtod.
double amount_double(const std::string& text) {
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
}

}  // namespace

CardAnswer CardService::posware(const CardRequest& q) {
    const bool purchase = q.operation == domain::pos::kCardPurchase;
    auto lib = CardLibrary::load(m_libraries.provider1, {"ProcessTransaction"});
    if (!lib) return missing_library(q, q.card);
    const std::string station = station_code(m_ini, q.business);
    const auto row = find_terminal(m_db, q.business, station, kPosWareBank, q.currency);
    if (!row) return unsent(q, q.card, no_terminal_text(station, kPosWareBank, q.currency), 0);
    const auto amount = terminal_amount(q.amount);
    if (!amount) return unsent(q, q.card, invalid_amount_text(q.amount), 0);

    std::array<char, 21> card{};
    std::array<char, 13> reference{};
    std::array<char, 7> authorisation{};
    std::array<char, 43> reply{};
    if (!purchase) {
        put(card, q.card);
        put(reference, q.reference);
        put(authorisation, q.authorisation);
    }
    const int code = lib->get<decltype(ProcessTransaction)>("ProcessTransaction")(
        row->param1.c_str(), row->param2.c_str(), row->param3.c_str(), purchase ? "S" : "W",
        amount_double(*amount), card.data(), card.size(), reference.data(), reference.size(),
        authorisation.data(), authorisation.size(), reply.data(), reply.size(), kVendorOption);
    lib.reset();

    CardAnswer a;
    a.status = code == kApproved ? 1 : 0;
    std::string card_text = field_text(card);
    a.card = mask_card(card_text);
    wipe(card_text);
    wipe(card.data(), card.size());
    const std::string text = field_text(reply);
    const std::string code_text = std::to_string(code);
    a.message = text.empty() ? code_text : text;
    if (purchase) {
        a.reference = field_text(reference);
        a.authorisation = field_text(authorisation);
        a.result = {code_text, a.card, text, a.reference, a.authorisation, "", code_text};
    } else {
        a.reference = trim(q.reference);
        a.authorisation = trim(q.authorisation);
        a.trace = trim(q.trace);
        a.result = {code_text, code_text};
    }
    log({q.business, q.provider, q.operation, a.card, a.reference, a.authorisation, a.trace,
         a.message},
        a);
    return a;
}

}  // namespace qz::services::terminals
