#pragma once
// What a new service proposes before the user types anything.
#include <string>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::spa {

// The tax percent of the service the business added last (its services usually share the
// country's sales tax); 0 for a business without services, which then types its own.
Decimal usual_service_tax(data::Db& db, const std::string& business);

}  // namespace qz::domain::spa
