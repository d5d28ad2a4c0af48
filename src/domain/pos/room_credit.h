#pragma once
// What a charge to a hotel room or master account may take: the guest's reservation room line
// or the master account a code names, its credit limit and what its folios already owe.
#include <optional>
#include <string>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::pos {

// Master accounts may always owe up to this much.
inline const Decimal kMasterAccountLimit = Decimal(99999999);

struct RoomAccount {
    std::string code;         // the room or master account as typed
    std::string reservation;  // COD_RES of the room, or the master account itself
    std::string room_type;    // COD_HAB of the room line ("" for a master account)
    long item = 0;            // ITEM_HAB of the room line
    bool master = false;
    bool has_credit = false;
    Decimal limit;
};

struct RoomAccountCheck {
    std::optional<RoomAccount> account;
    std::string problem;  // the refusal when there is no account to charge
};

// The account behind a room or master-account code: a room with its guest's room line, else
// an open master account. Refuses a room without guests, an unknown code and a closed master
// account with the words the cashier is shown.
RoomAccountCheck find_room_account(data::Db& db, const std::string& business,
                                   const std::string& code);

// DEBITO - CREDITO over the lines of every folio of the account (of the room line for a room).
Decimal folio_balance(data::Db& db, const std::string& business, const RoomAccount& account);

// The currency of the account's folios (the first one's MONEDA); "" when it has none yet.
std::string folio_currency(data::Db& db, const std::string& business, const RoomAccount& account);

// "" when `amount` fits the credit left, else "Crédito insuficiente:..." with the limit and
// what is available.
std::string credit_problem(const Decimal& limit, const Decimal& balance, const Decimal& amount);

}  // namespace qz::domain::pos
