#pragma once
// A spa reservation is invoiced into a receivable document (MOV_CXC, state "Facturada"). When
// that document is annulled the reservation is freed: active again and without invoice, so it
// can be invoiced anew or cancelled. The ledger does not know reservations; the spa hears of
// annulments through the ledger's listeners.
#include <string>

#include "data/db.h"

namespace qz::domain::spa {

// Frees every reservation invoiced into `document`, in one transaction; how many were freed.
int release_invoiced_reservations(data::Db& db, const std::string& business,
                                  const std::string& document);

// Registers the release with the ledger's annulment listeners (once per process is enough;
// registering again replaces the earlier registration).
void listen_to_document_annulments();

}  // namespace qz::domain::spa
