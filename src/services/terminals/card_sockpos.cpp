// The second network: the card read on the stripe reader, dllpurchase or dllcanceltrans, and
// the voucher. A purchase is approved by reply code "00" or "08", a void by "00"; a reply that
// cannot be read is a denial.
#include <array>
#include <cstring>

#include "core/text.h"
#include "services/terminals/card_abi.h"
#include "services/terminals/card_attempt.h"
#include "services/terminals/card_library.h"
#include "services/terminals/card_service.h"
#include "services/terminals/sockpos_reply.h"
#include "services/terminals/terminal_rows.h"

namespace qz::services::terminals {

using domain::pos::CardAnswer;
using domain::pos::CardRequest;

namespace {

using Reply = std::array<char, 1024>;

// The fixed arguments of a purchase whose meaning is the vendor's.
constexpr int kMode = 2, kEntry = 1, kNoFlag = 0;
constexpr const char* kBlanks4 = "    ";
constexpr const char* kBlanks9 = "         ";
constexpr const char* kBlanks20 = "                    ";
constexpr const char* kFixedCode = "000000";

// The reply as text, the buffer wiped; "" when the library reported it wrote none.
std::string take_reply(int rc, Reply& buf) {
    std::string text = rc == 0 ? std::string(buf.data(), strnlen(buf.data(), buf.size())) : "";
    wipe(buf.data(), buf.size());
    return text;
}

}  // namespace

CardAnswer CardService::sockpos_purchase(const CardRequest& q) {
    std::optional<CardReading> card = m_reader.READ_TCCARD(currency_symbol(q), q.amount);
    if (!card) {
        CardAnswer cancelled;
        cancelled.status = -1;
        cancelled.result = {"-1"};
        return cancelled;
    }
    auto lib = CardLibrary::load(m_libraries.provider2, {"dllpurchase"});
    if (!lib) return missing_library(q, card->number);
    const std::string station = station_code(m_ini, q.business);
    const auto row = find_terminal(m_db, q.business, station, kSockPosBank, q.currency);
    if (!row)
        return unsent(q, card->number, no_terminal_text(station, kSockPosBank, q.currency), 0);
    const auto amount = terminal_amount(q.amount);
    if (!amount) return unsent(q, card->number, invalid_amount_text(q.amount), 0);

    const std::string zero = "0.00";
    Reply buf{};
    const int rc = lib->get<decltype(dllpurchase)>("dllpurchase")(
        row->param1.c_str(), kMode, kEntry, card->number.c_str(), amount->c_str(),
        card->expiry.c_str(), card->track.c_str(), zero.c_str(), zero.c_str(), zero.c_str(),
        kNoFlag, kNoFlag, kBlanks4, kNoFlag, kBlanks9, kBlanks20, kFixedCode, buf.data(),
        buf.size());
    lib.reset();
    std::string text = take_reply(rc, buf);
    const auto reply = parse_sockpos_reply(text);
    wipe(text);

    CardAnswer a;
    a.card = mask_card(card->number);
    card.reset();
    const bool approved = reply && (reply->code == "00" || reply->code == "08");
    a.status = approved ? 1 : 0;
    a.message = reply ? reply->message : kUnreadableReply;
    if (reply) {
        a.reference = reply->reference;
        a.authorisation = reply->authorisation;
        a.trace = reply->trace;
    }
    a.result = {approved ? "1" : "0", a.card, "", a.reference, a.authorisation, a.trace, a.message};
    log({q.business, q.provider, q.operation, a.card, a.reference, a.authorisation, a.trace,
         reply ? reply->code + " " + reply->message : kUnreadableLog},
        a);
    if (approved)
        print({q.business, false, a.card, a.authorisation, a.reference, m_db.clock().now(),
               currency_symbol(q), q.amount});
    return a;
}

CardAnswer CardService::sockpos_void(const CardRequest& q) {
    auto lib = CardLibrary::load(m_libraries.provider2, {"dllcanceltrans"});
    if (!lib) return missing_library(q, q.card);
    const std::string station = station_code(m_ini, q.business);
    const auto row = find_terminal(m_db, q.business, station, kSockPosBank, q.currency);
    if (!row) return unsent(q, q.card, no_terminal_text(station, kSockPosBank, q.currency), 0);

    Reply buf{};
    const int rc = lib->get<decltype(dllcanceltrans)>("dllcanceltrans")(
        row->param1.c_str(), trim(q.reference).c_str(), trim(q.authorisation).c_str(),
        trim(q.trace).c_str(), buf.data(), buf.size());
    lib.reset();
    std::string text = take_reply(rc, buf);
    const auto reply = parse_sockpos_reply(text);
    wipe(text);

    CardAnswer a;
    a.card = mask_card(q.card);
    a.reference = trim(q.reference);
    a.authorisation = trim(q.authorisation);
    a.trace = trim(q.trace);
    const bool voided = reply && reply->code == "00";
    a.status = voided ? 1 : 0;
    a.message = reply ? reply->message : kUnreadableReply;
    a.result = {voided ? "1" : "0", a.message};
    log({q.business, q.provider, q.operation, a.card, a.reference, a.authorisation, a.trace,
         reply ? reply->code + " " + reply->message : kUnreadableLog},
        a);
    if (voided)
        print({q.business, true, a.card, a.authorisation, a.reference, m_db.clock().now(),
               currency_symbol(q), q.amount});
    return a;
}

}  // namespace qz::services::terminals
