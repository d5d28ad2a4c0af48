#pragma once
// The currencies of a business (MONEDAS) and their pairs (DET_MON). A currency code is kept by
// documents, payments, pairs and rates, so changing it re-codes them all in the transaction that
// changes the currency: a rate left under the old code would silently stop being found.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct Currency {
    std::string code;        // CODIGO
    std::string name;        // DESCRIP
    std::string symbol;      // SIMBOLO
    std::string initials;    // SIGLAS
    Decimal min_rate;        // CAMBIO_MIN: a payment at a lower rate is refused
    Decimal margin_cxc;      // SAL_CXC: 0 = the business's write-off margin
    Decimal margin_cxp;      // SAL_CXP
    bool negative = false;   // NEGATIVO
    std::string equivalent;  // EQUIVAL
};

Currency currency_from_row(const data::WDBTable& t);
void put_currency_row(data::WDBTable& t, const std::string& business, const Currency& c);
std::optional<Currency> read_currency(data::Db& db, const std::string& business,
                                      const std::string& code);
std::vector<Currency> business_currencies(data::Db& db, const std::string& business);

// What is wrong with a currency form; "" when nothing.
std::string check_currency(const Currency& c);

bool add_currency(data::Db& db, UserPort& port, const std::string& business, const Currency& c);
// A new code re-codes, under a wait text and in one transaction, every MONEDA of the ledger's
// tables, the pairs' MONEDA_1/MONEDA_2, the rates' MONEDA1/MONEDA2, the business's accounting
// and second currency and the equivalences of other currencies.
bool modify_currency(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& old_code, const Currency& c);
// Refused while a pair names the currency: its rates would be left without a currency.
bool delete_currency(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);
long recode_currency_references(data::Db& db, const std::string& business,
                                const std::string& old_code, const std::string& new_code,
                                WaitWindow* wait = nullptr);

struct CurrencyPair {
    std::string from;  // MONEDA_1 "De :"
    std::string to;    // MONEDA_2 "A :"
    Decimal daily;     // PROYECTA "Cambio Proyectado Diario:"
};

CurrencyPair pair_from_row(const data::WDBTable& t);
std::vector<CurrencyPair> business_pairs(data::Db& db, const std::string& business);
// DESCRIP of a pair: the second currency's name, three blanks and its symbol in parentheses.
std::string pair_description(const Currency& to);

bool add_pair(data::Db& db, UserPort& port, const std::string& business, const CurrencyPair& p);
// A new second currency rewrites MONEDA2 of all the pair's rates in the same transaction.
bool modify_pair(data::Db& db, UserPort& port, const std::string& business,
                 const CurrencyPair& old_pair, const CurrencyPair& p);
// Deletes the pair with its rates after a confirmation.
bool delete_pair(data::Db& db, UserPort& port, const std::string& business, const CurrencyPair& p);

inline constexpr const char* kCurrencyDuplicate = "Código de MONEDA Ya definido...";
inline constexpr const char* kPairProblem = "Problemas con los códigos de moneda ";

}  // namespace qz::domain
