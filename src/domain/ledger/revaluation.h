#pragma once
// The revaluation listing ("Actualización de Diferencial Cambiario"): the open documents of one
// currency in a date range, what their balances were last valued at in the accounting currency,
// and what the adjustment to a typed rate would be. It reads only: the adjustments themselves are
// made by the payments.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct RevaluationRequest {
    std::string currency;
    Date from, to;
    Decimal rate;  // "Tipos de Cambio:" one unit of the currency in the accounting currency
};

struct RevaluationLine {
    std::string document, concept_code, customer, name;
    Date fecha;
    Decimal balance;    // SALDO, in the document's currency
    Decimal last_rate;  // the rate it was last valued at
    Decimal adjusted;   // balance × last rate: what the books hold
    Decimal valued;     // balance × the typed rate
    Decimal pending;    // (valued − adjusted) × factor: the adjustment still to make
};

struct RevaluationListing {
    std::vector<RevaluationLine> lines;
    std::vector<std::string> problems;           // documents whose concept cannot be matched
    Decimal balance, adjusted, valued, pending;  // totals
};

// "" when the request can be listed, else the message.
std::string check_revaluation_request(const RevaluationRequest& r);
// The rate offered in the dialog: the currency's rate in force today against the accounting
// currency, 0 when there is none.
Decimal offered_revaluation_rate(data::Db& db, const std::string& business,
                                 const std::string& currency);
RevaluationListing revaluation_listing(data::Db& db, const std::string& business,
                                       const RevaluationRequest& r);

}  // namespace qz::domain
