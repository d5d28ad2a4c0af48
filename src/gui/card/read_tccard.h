#pragma once
// READ_TCCARD: the card swiped on the workstation's stripe reader for a second-network purchase.
// The dialog shows the amount to charge in large type and polls the reader's serial line until a
// whole track has arrived; Cancel gives up. The track is never shown: the cashier sees only how
// the reading goes.
#include <chrono>
#include <optional>
#include <string>

#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "services/terminals/card_service.h"

class QWidget;

namespace qz::gui {

namespace read_tccard {
enum : int {
    kAmount = 101,  // currency symbol and amount, 40-point Times New Roman
    kStatus = 102,  // how the reading goes
};
}  // namespace read_tccard

class StripeCardReader : public services::terminals::CardReader {
public:
    // The reader's device is looked up for `business` at each reading, so a changed setting
    // applies to the next card.
    StripeCardReader(QWidget* owner, UserPort& port, const IniFile& ini, std::string business,
                     std::chrono::milliseconds poll = std::chrono::milliseconds(500));

    std::optional<services::terminals::CardReading> READ_TCCARD(const std::string& currency_symbol,
                                                                const Decimal& amount) override;

private:
    QWidget* m_owner;
    UserPort& m_port;
    const IniFile& m_ini;
    std::string m_business;
    std::chrono::milliseconds m_poll;
};

}  // namespace qz::gui
