#pragma once
// Scheduled price changes: a pending schedule (ENC_PPRE) whose date and time have come copies the
// prices of its lines (DET_PPRE) into the price list it names (DET_PREC) and is marked processed.
#include <string>

#include "core/clock.h"
#include "data/db.h"

namespace qz::domain {

// Whether the business asks for scheduled price changes to be applied (F_INV.PREC_AUTO = 1);
// false when the business has no inventory settings record.
bool price_check_enabled(data::Db& db, const std::string& business);

// Applies every pending schedule of the business due at `now`: F_APLICA before today, or today
// with H_APLICA not after the current time. Each line's PRECIO goes to the DET_PREC entry of the
// business, the schedule's T_PRECIO and the line's ARTICULO when that entry exists (lines without
// one are skipped); the schedule then gets PENDIENTE = 0 and F_PROCESA/H_PROCESA = now. Each
// schedule is one transaction. Returns the number of schedules applied.
int apply_due_price_changes(data::Db& db, const std::string& business, const DateTime& now);

}  // namespace qz::domain
