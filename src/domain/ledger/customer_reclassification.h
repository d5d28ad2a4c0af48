#pragma once
// When a customer is deactivated or activated again, businesses that post their receivables
// (F_FAC AFECTA_CON and ACT_INACT) move the open balances of documents whose concept keeps a
// complementary account between the receivable and the transfer account, in the accounting
// currency: the receivable at its own amount, the complementary account at the difference the
// current rate makes, the transfer account at the converted amount. It is posted in the
// customer's save transaction, so the change of state and its entry commit together.
#include <string>

#include "data/db.h"
#include "domain/customers/customer_save.h"
#include "domain/ledger/journal.h"

namespace qz::domain {

// Returns the lines posted (0 when the business does not post such changes).
int post_customer_reclassification(data::Db& db, const std::string& business,
                                   const customers::StatusChange& change,
                                   const JournalStamp& stamp);

}  // namespace qz::domain
