#pragma once
// The steps every register family's opening and closing share, inside the caller's transaction:
// the register row locked and read as it is once locked, the two pass codes checked (a plain
// legacy code that matches is stored hashed by the same transaction) and the shift rows written.
#include <optional>
#include <string>

#include "core/clock.h"
#include "data/db.h"
#include "data/table_ops.h"
#include "domain/cash/register_rows.h"

namespace qz::domain::cash {

// The register table of a family, with the register's row locked until the transaction ends.
struct LockedRegister {
    data::Table table;
    CashRegister reg;
};
std::optional<LockedRegister> lock_register(data::Db& db, const RegisterTables& f,
                                            const std::string& business, const std::string& code);

// Writes what was put on the locked row and closes its table (the lock lasts until the
// transaction ends).
void release(data::Db& db, LockedRegister& r);

// The operator `code`, when `typed` is its pass code (the row is locked for the upgrade).
std::optional<Operator> check_operator(data::Db& db, const std::string& business,
                                       const std::string& code, const std::string& typed);
// Whether `typed` is the locked register's pass code.
bool check_register_code(LockedRegister& r, const std::string& typed);

// Writes the locked register's state.
void set_state(LockedRegister& r, const char* state);
// Appends a running shift for the register.
void start_shift(data::Db& db, const RegisterTables& f, const std::string& business, CashShift s);
// Ends the running shift `s` (found before) under its lock; false when it is no longer running.
bool end_shift(data::Db& db, const RegisterTables& f, const std::string& business,
               const CashShift& s, const Date& end_date, const std::string& end_time,
               const CashShift* control = nullptr);

}  // namespace qz::domain::cash
