#pragma once
// Giving back a deposit's card charge: the save's when the deposit could not be written, the
// void's when the deposit is voided. Both go through the same terminal call and log.
#include <string>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/card_terminal.h"

namespace qz::domain {

// An approved charge, as the terminal answered it.
struct DepositCardCharge {
    std::string business, currency;
    int provider = 0;
    Decimal amount;
    std::string card, reference, authorisation, trace;
};

// Voids the charge and writes its LOG_P_EL row (`why` when approved, the network's text when
// not) unless the terminal wrote it; the desk is told when the network refuses the void.
void void_deposit_charge(data::Db& db, UserPort& port, pos::CardTerminal& terminal,
                         const DepositCardCharge& charge, const std::string& why);

}  // namespace qz::domain
