#pragma once
// CHECK_CAMBIO: at login and after a change of business, the user is told which currencies of
// the business have no exchange rate against the main currency recent enough, so nobody
// invoices all day at a rate the business considers too old.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

inline constexpr const char* kStaleRateTitle = "Atención";

// One line per currency whose newest rate against NEGOCIOS.MONEDA_CON is missing or older than
// CANT_MON days (CHECK_MON = 1) or months (otherwise) before the business date: "Debe actualizar
// la definición de tipos de cambio de " + currency + " a " + main currency. Nothing when the
// business does not ask for the check (no CHECK_MON field, CANT_MON <= 0).
std::vector<std::string> CHECK_CAMBIO(data::Db& db, const std::string& business);

// Shows the lines together, one per line, with a stop icon; nothing when there are none.
void show_stale_rates(UserPort& port, const std::vector<std::string>& lines);

}  // namespace qz::domain
