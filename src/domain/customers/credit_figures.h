#pragma once
// What the credit control judges a branch by: its balance, overdue amount, applicable credit and
// limit, the documents behind them, and the business's two authorisation keys.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::customers {

struct CreditFigures {
    Decimal balance;  // open balance + the new document (what is judged)
    Decimal overdue;  // unpaid instalments past their date and the grace days
    Decimal credit;   // open credit notes
    Decimal limit;    // DET_CLIE LIMITE
    std::string currency;     // the limit's currency, which every figure is stated in
    std::string rate_problem;  // why a document could not be converted; "" when all were
    Decimal excess() const { return balance - limit; }
    // P1: the overdue balance is not covered by the credit notes.
    bool overdue_key() const { return (overdue - credit).round(2) > 0; }
    // P2: the balance is over the limit, both taken on 2 decimals.
    bool excess_key() const { return balance.round(2) > limit.round(2); }
};

// Today's factor turning an amount in currency `from` into currency `to`, or why there is none.
// The ledger's rates answer it; the customer rules sit below the ledger, so it is handed in.
struct CreditRate {
    Decimal factor;
    std::string problem;  // "" when the factor is usable
};
using CreditRateLookup =
    std::function<CreditRate(const std::string& to, const std::string& from)>;

// The figures of a customer's branch when a document of `new_amount` (in the limit's currency)
// is added to it: charges (debit concepts) add their balance, credits (credit concepts) their
// balance to the credit, and every instalment whose date plus F_FAC D_GRACIA days is before
// `today` adds the part of it that what was paid does not cover. Each document's amounts are
// converted from its own currency into the limit's (DET_CLIE MON_LIMITE, else F_FAC M_LIMITE)
// through `rate`, rounded to 2 decimals; a document without a rate is counted unconverted and
// named in rate_problem, so the caller does not judge credit on a wrong sum unawares.
CreditFigures branch_credit_figures(data::Db& db, const std::string& business,
                                    const std::string& customer, const std::string& branch,
                                    const Decimal& new_amount, const Date& today,
                                    const CreditRateLookup& rate);

// F_FAC's credit settings: the grace days before an instalment counts as overdue, and the
// currency limits are stated in unless a branch names its own.
struct CreditSettings {
    int grace_days = 0;          // D_GRACIA
    std::string limit_currency;  // M_LIMITE
};
CreditSettings credit_settings(data::Db& db, const std::string& business);

// Whether a document concept is a charge (CONCEPT1 TIPO 1); unknown concepts count as charges,
// which is the side that protects the credit.
bool is_charge(data::Db& db, const std::string& business, const std::string& concept_code);

// The instalments of `document` that are due: what was paid covers them in date order, and an
// instalment not covered whose date plus `grace` days is before `today` is overdue by the part
// left, for the days since then (`days`: those of the last such instalment).
struct Overdue {
    Decimal amount;
    long days = 0;
};
Overdue overdue_instalments(data::Db& db, const std::string& business, const std::string& document,
                            Decimal paid, const Date& today, int grace);

// A document with a balance, as the credit control lists it.
struct OpenDocument {
    Date date, due;
    std::string number, customer, name;
    Decimal net, balance, gross;
};
std::vector<OpenDocument> open_documents(data::Db& db, const std::string& business,
                                         const std::string& customer);

// The keys typed in the dialog, checked against F_FAC PASSWRD2 (overdue) and PASSWRD3 (excess)
// only where the figures ask for them. Returns the refusal, or nothing when they pass. A legacy
// plain key that matches is stored hashed on the way.
std::optional<std::string> check_credit_keys(data::Db& db, const std::string& business,
                                             const CreditFigures& f, const std::string& overdue_key,
                                             const std::string& excess_key);
// Stores the keys hashed; a blank one leaves the stored key as it is, so one key is changed
// without knowing the other.
void set_credit_keys(data::Db& db, const std::string& business, const std::string& overdue_key,
                     const std::string& excess_key);
// The settings dialog's keys, each typed twice: refuses a key whose repetition differs (compared
// as the keys are, case-blind on 10 characters) and a change with both keys blank.
struct NewCreditKeys {
    std::string overdue, overdue_again, excess, excess_again;
};
std::optional<std::string> check_new_credit_keys(const NewCreditKeys& k);
// Whether a key is set: the credit control asks for keys only then.
bool credit_keys_set(data::Db& db, const std::string& business);

inline constexpr const char* kOverdueKeyWrong =
    "La Clave de Autorización de Vencimiento de Crédito\rno coincide con la verificación";
inline constexpr const char* kExcessKeyWrong =
    "La Clave de Autorización de Exceso de Crédito\rno coincide con la verificación";

inline constexpr const char* kNoNewKey = "Debe digitar al menos una clave";

}  // namespace qz::domain::customers
