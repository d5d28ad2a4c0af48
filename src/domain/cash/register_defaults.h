#pragma once
// What a taken point-of-sale register imposes on the sale screen, read from its row.
#include "domain/cash/register_rows.h"
#include "domain/pos/sale_register.h"
#include "domain/pos/tenders.h"

namespace qz::domain::cash {

pos::RegisterDefaults sale_defaults(const CashRegister& r);

// The register's part of the tenders dialog: its quick-tender buttons (DEF_B1..7 with the labels
// ROTULO2..7), DO_CONTADO and LEE_CAMBIO. The sale fills in the rest.
void put_register_tenders(const CashRegister& r, pos::TenderInputs& in);

}  // namespace qz::domain::cash
