#include "domain/deposits/deposit_card.h"

#include "domain/pos/card_log.h"
#include "domain/pos/sale_card_void.h"

namespace qz::domain {

void void_deposit_charge(data::Db& db, UserPort& port, pos::CardTerminal& terminal,
                         const DepositCardCharge& c, const std::string& why) {
    pos::CardRequest q;
    q.provider = c.provider;
    q.operation = pos::kCardVoid;
    q.amount = c.amount;
    q.business = c.business;
    q.currency = c.currency;
    q.card = c.card;
    q.reference = c.reference;
    q.authorisation = c.authorisation;
    q.trace = c.trace;
    const pos::CardAnswer a = terminal.PAGO_ELECTRONICO(q);
    try {
        if (!a.logged)
            pos::write_card_log(db, {c.business, c.provider, pos::kCardVoid, c.card, c.reference,
                                     c.authorisation, c.trace, a.approved() ? why : a.message});
    } catch (const std::exception&) {
        // The outcome below matters more to the cashier than the log line.
    }
    if (!a.approved()) port.message(MsgStyle::Error, "Error", pos::card_void_failed(c.card));
}

}  // namespace qz::domain
