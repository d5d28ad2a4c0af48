#pragma once
// The credit control of the order stages: how much of a customer's charges is overdue and for
// how long, in the currency credit limits are stated in, and whether the authoriser of a move
// may let the order through.
#include <optional>
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/collections/stage_authorisers.h"

namespace qz::domain {

struct OverdueFigures {
    Decimal amount;            // unpaid instalments past their date plus the grace days
    long days = 0;             // the longest any document has been overdue
    std::string currency;      // F_FAC M_LIMITE
    std::string rate_problem;  // a currency without today's rate; its amounts were not counted
};

// Over the customer's open charges (CONCEPT1 TIPO 1): what is paid of a document covers its
// instalments in date order; an instalment not covered whose date plus F_FAC D_GRACIA days is
// before `today` is overdue by the uncovered part, for the days since then.
OverdueFigures order_overdue(data::Db& db, const std::string& business, const std::string& customer,
                             const Date& today);

// DET_CLIE LIMITE of the customer's branch.
Decimal branch_limit(data::Db& db, const std::string& business, const std::string& customer,
                     const std::string& branch);

// Why the move must stop; nothing when it may go on. An approval, and a forward move into a
// credit-controlled stage, are refused when the overdue days or amount exceed the authoriser's
// permissions; a forward move into such a stage also when the limit is below the overdue amount.
std::optional<std::string> order_credit_refusal(const OverdueFigures& f, const StageAuthoriser& who,
                                                bool approval, bool into_controlled,
                                                const Decimal& limit);

inline constexpr const char* kOverdueRefusal =
    "No puede pasar el pedido a la siguiente etapa ya que tiene documentos con saldos vencidos";

}  // namespace qz::domain
