#pragma once
// Cards charged for a sale that was then not saved: the terminal approved them, so the customer
// was charged for nothing. Each is voided at once, every attempt is logged in LOG_P_EL (where
// the supervisor finds the ones that failed), and a void that fails is told to the cashier.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/card_terminal.h"
#include "domain/pos/tenders.h"

namespace qz::domain::pos {

// A tender the terminal answered for: it carries the approval to void.
bool card_approved(const TenderRow& row);

// Voids every approved card tender of `tenders`; call it after the sale's transaction rolled
// back. Each log row is written in a small transaction of its own.
void void_approved_cards(data::Db& db, UserPort& port, CardTerminal& terminal,
                         const std::string& business, const std::string& currency,
                         const std::vector<TenderRow>& tenders);

// Voids the approved card tenders of `tenders` that `kept` does not hold (the same approval) and
// takes them out of `tenders`: a voided card must never pay for a later save of the same sale.
void void_abandoned_cards(data::Db& db, UserPort& port, CardTerminal& terminal,
                          const std::string& business, const std::string& currency,
                          std::vector<TenderRow>& tenders, const std::vector<TenderRow>& kept = {});

std::string card_void_failed(const std::string& card);

}  // namespace qz::domain::pos
