#pragma once
// The credit control of a sale (CHECK_CREDITOS): the branch's open balance, overdue instalments
// and credit notes with the new sale added, judged against its limit in the limit's currency;
// over the limit, the credit-control dialog decides through the save's hooks.
#include "domain/pos/sale_save_run.h"

namespace qz::domain::pos {

// True when the sale may go on; a refusal puts the cashier back on the lines.
bool CHECK_CREDITOS(SaleRun& run);

}  // namespace qz::domain::pos
