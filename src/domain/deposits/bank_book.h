#pragma once
// The bank book of a bank account: a movement (ENC_LIB with its lines in DET_LIB, DET_LIB3 and
// DET_LIB4) moves the account's balance (CUEN_LIB.SALDO) by its concept's direction and adds its
// lines to the ledger accounts' month totals (MES_LIB4). Both writers run inside the caller's
// transaction, so a deposit and its bank-book movement are saved or lost together; a refusal is
// thrown as data::TransactionAborted before anything is written.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct BankBookLine {
    std::string account;  // CUENTA_CON
    Decimal debit, credit;
    std::string description;  // the ledger account's name
};

struct BankBookEntry {
    std::string business, bank, account;  // the bank account (CUEN_LIB)
    std::string book_concept;             // bank-book concept (CONCEPT5)
    std::string made_by;                  // HECHO_POR
    Decimal amount;
    std::string description;
    Date date;
    std::string document;        // the payer's deposit or voucher number
    Decimal rate;                // to the accounting currency; the month totals are in it
    std::string hotel_movement;  // the deposit's number (MOV_HOTEL)
    std::string user, info_user;
    std::vector<BankBookLine> lines;
};

// Writes the movement and returns its number, taken from the account's series SERLIB_IMP. The
// account stays locked until the caller's transaction ends.
std::string TRANSACCION(data::Db& db, const BankBookEntry& entry);

// The movement `movement` of the account as it was written (without its balance); none when
// there is none.
// The bank account (bank, account) a deposit's bank-book movements were written to, found by
// the deposit's number (ENC_LIB2, MOV_HOTEL); none when it has no movement.
std::optional<std::pair<std::string, std::string>> deposit_bank_account(data::Db& db,
                                                                        const std::string& business,
                                                                        const std::string& deposit);

std::optional<BankBookEntry> read_bank_book_movement(data::Db& db, const std::string& business,
                                                     const std::string& bank,
                                                     const std::string& account,
                                                     const std::string& movement);

// The description of the movement that undoes a deposit's.
std::string deposit_void_description(const std::string& deposit);

// Undoes the movement `movement` of the account with a new movement of the same concept, date and
// lines whose amounts are negated: the balance is restored and the month totals taken off, and
// the bank book still adds up to the balance. Returns the new movement's number.
std::string reverse_bank_book(data::Db& db, const std::string& business, const std::string& bank,
                              const std::string& account, const std::string& movement,
                              const std::string& description);

}  // namespace qz::domain
