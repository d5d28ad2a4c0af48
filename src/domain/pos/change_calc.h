#pragma once
// The change handed back for the tenders that take it: the amount to pay in the sale's
// currency or, at the cashier's choice, in the ticket currency; what the customer handed over;
// and the change, which is negative (and shown so) while the customer has not given enough.
#include <string>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::pos {

struct ChangeRates {
    std::string sale_currency, ticket_currency;  // the sale's, F_FAC MONEDA_TIQ
    // Ticket-currency units per sale-currency unit, first rate kind: converts what is to pay.
    Decimal to_ticket = Decimal(1);
    // Sale-currency units per ticket-currency unit, second rate kind: converts the change.
    Decimal to_sale = Decimal(1);
    // The two rate kinds as the cashier reads them (sale-currency units per ticket unit).
    Decimal shown1 = Decimal(1), shown2 = Decimal(1);
};

// The rates of the day between the sale's currency and the ticket currency, in the rate columns
// the point of sale uses (F_FAC TC_FAC and TC_FAC2, column 1 when unset).
ChangeRates read_change_rates(data::Db& db, const std::string& business,
                              const std::string& sale_currency);

class CtrlCambio {
public:
    CtrlCambio(const Decimal& to_pay, ChangeRates rates);

    void set_received(const Decimal& received) { m_received = received; }
    // Button 1 shows the amounts in the ticket currency, button 2 in the sale's again.
    void show_ticket_currency(bool on) { m_ticket = on; }
    bool in_ticket_currency() const { return m_ticket; }
    const std::string& shown_currency() const;

    Decimal to_pay() const;
    const Decimal& received() const { return m_received; }
    // (received - to pay) in the shown currency, in the sale's currency.
    Decimal change() const;
    // "T.C : " + the rate of kind 1 or 2.
    std::string rate_line(int kind) const;

private:
    Decimal m_to_pay;
    ChangeRates m_rates;
    Decimal m_received;
    bool m_ticket = false;
};

}  // namespace qz::domain::pos
