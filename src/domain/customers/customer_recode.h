#pragma once
// What a customer's code, a branch's code or a customer's name is carried into. Every function
// here writes in the caller's transaction, one row at a time under its lock, each step one index
// seek on an order that begins with the business and the customer: a customer with a hundred
// thousand documents is re-coded without walking anyone else's rows.
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::customers {

// A table that keeps a customer's code, with an order beginning NEGOCIO + that field.
struct CustomerField {
    const char* table;
    const char* order;
    const char* field;
};

// Every table the customer's code is kept in: its branches, referrals, associates and further
// rows, documents and their lines (posted and pending), payments (posted and pending), pending
// orders with their lines, the customer log, regular invoices, commissions and status history.
const std::vector<CustomerField>& customer_code_fields();

// Re-codes every row of `customer_code_fields()` from `old_code` to `new_code`. The wait window,
// when given, names the table being re-coded and counts the rows. Returns the rows rewritten.
long recode_customer(data::Db& db, const std::string& business, const std::string& old_code,
                     const std::string& new_code, WaitWindow* wait = nullptr);

// Moves the documents, pending documents and regular invoices of one branch of `customer` to
// another branch code (SUBCLIENTE). Returns the rows rewritten.
long recode_branch(data::Db& db, const std::string& business, const std::string& customer,
                   const std::string& old_branch, const std::string& new_branch,
                   WaitWindow* wait = nullptr);

// Whether a branch has documents or pending documents.
bool branch_has_documents(data::Db& db, const std::string& business, const std::string& customer,
                          const std::string& branch);
// Whether the customer has documents or pending documents, settled or not.
bool customer_has_documents(data::Db& db, const std::string& business, const std::string& customer);
// Whether one of the customer's documents still has a balance.
bool customer_has_open_documents(data::Db& db, const std::string& business,
                                 const std::string& customer);

// Writes `name` into NOM_CLIENT of the customer's documents, payments, pending payments,
// pending orders and regular invoices. Returns the rows rewritten.
long rename_in_history(data::Db& db, const std::string& business, const std::string& customer,
                       const std::string& name, WaitWindow* wait = nullptr);

}  // namespace qz::domain::customers
