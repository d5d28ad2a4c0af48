#pragma once
// The card terminal as the tenders see it: one purchase (or void) call and its answer. The
// networks' clients plug in behind this interface; until a workstation has one, the terminal
// answers as the card service does when its library cannot be loaded.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"

namespace qz::domain::pos {

inline constexpr int kCardPurchase = 1, kCardVoid = 2;

struct CardRequest {
    int provider = 0;  // P_ELECTRO of the payment type: 1 or 2
    int operation = kCardPurchase;
    Decimal amount;
    std::string business, currency;
    // A void names the approved purchase.
    std::string card, reference, authorisation, trace;
};

// What the terminal answered. No status: nothing came back (no library, a card reading that
// was cancelled answers status -1).
struct CardAnswer {
    std::optional<int> status;  // 1 approved
    std::string card, reference, authorisation, trace;
    std::string message;  // the network's text, shown on a denial
    // The network's own result array, as text (the card masked).
    std::vector<std::string> result;
    // The terminal wrote the attempt's LOG_P_EL row itself.
    bool logged = false;
    bool approved() const { return status && *status == 1; }
};

class CardTerminal {
public:
    virtual ~CardTerminal() = default;
    virtual CardAnswer PAGO_ELECTRONICO(const CardRequest& request) = 0;
};

// The terminal of a workstation without a card network: tells the user the network's library
// is missing and answers nothing.
class UnconfiguredCardTerminal : public CardTerminal {
public:
    explicit UnconfiguredCardTerminal(UserPort& port) : m_port(port) {}
    CardAnswer PAGO_ELECTRONICO(const CardRequest& request) override;

private:
    UserPort& m_port;
};

// The message of the card service when provider `provider`'s library is not there.
std::string missing_library_message(int provider);

}  // namespace qz::domain::pos
