#pragma once
// Invoicing a spa reservation at the point of sale: the sale is filled from the reservation
// (price type, person in charge, guest's name, the services with the prices quoted), and the
// saved invoice is linked back to the reservation inside the sale's own transaction.
#include <string>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/sale_draft.h"

namespace qz::domain::spa {

// Fills `draft` (its register already taken) from reservation `code`; false after telling the
// cashier why (the same checks as "Facturar", or a service the sale refuses).
bool load_reservation_sale(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code, pos::SaleDraft& draft);

// The reservation takes its invoice `document` and the state "Facturada", under its row lock.
// Throws when it is no longer active (invoiced or cancelled from another workstation meanwhile),
// so the sale rolls back instead of invoicing one reservation twice.
void link_reservation_invoice(data::Db& db, const std::string& business, const std::string& code,
                              const std::string& document);

}  // namespace qz::domain::spa
