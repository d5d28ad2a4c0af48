#pragma once
// LOG_P_EL: one row for every purchase or void sent to a card terminal, approved or not, where
// the supervisor finds what the networks answered. The card is always masked before it is
// written: only its last four digits ever reach the table.
#include <string>

#include "data/db.h"

namespace qz::domain::pos {

struct CardLogRow {
    std::string business;
    int provider = 0;   // PE_TIPO: 1 or 2
    int operation = 0;  // TIPO_OP: kCardPurchase or kCardVoid
    std::string card;   // as the network or the tender knows it; masked on writing
    std::string reference, authorisation, trace;
    std::string text;  // DESCRIP: the network's message or code
};

// "4111111111111111" -> "************1111": every character but the last four replaced by
// "*" (blanks around dropped first).
std::string masked_card(const std::string& card);

// Writes the row in a small transaction of its own, stamped with the clock's date and time.
void write_card_log(data::Db& db, const CardLogRow& row);

}  // namespace qz::domain::pos
