#pragma once
// FIX_SAL ("Re-aplicar Saldos"): the documents whose balance is lower than their payments
// explain get the payment that explains it. For every valid (not annulled) document of the
// business whose balance by the invariant (balance_invariant.h) has a larger integer part than
// its SALDO, an adjustment payment for the difference is recorded: numbered "ABJ-" and a counter
// padded with zeros to 15 characters, dated the document's date, applied with the concept's
// default payment concept (ABONO_DEF) and tendered with its default method (T_MOV_DEF). SALDO
// itself is not touched: it is the payments that were missing. Differences inside the same unit
// (1000.00 against 1000.80) are left alone.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "domain/customers/customer_log.h"

namespace qz::domain {

struct RepairResult {
    std::vector<std::string> receipts;  // the adjustment payments written, "ABJ-…"
    // Documents that needed one but whose concept has no default payment concept that lowers a
    // balance: nothing could be applied to them.
    std::vector<std::string> skipped;
};

// After "Desea realizar la correccion?", under a wait window, all adjustments in one
// transaction; ends with "Fin de Proceso". Nothing when the user declined or another
// workstation held a row it had to write.
std::optional<RepairResult> FIX_SAL(data::Db& db, UserPort& port, const std::string& business,
                                    const customers::LogWriter& who);

// "ABJ-" and `counter` padded with zeros to 15 characters.
std::string adjustment_number(long counter);

inline constexpr const char* kRepairAsk = "Desea realizar la correccion?";
inline constexpr const char* kRepairDone = "Fin de Proceso";
inline constexpr const char* kRepairSkipped =
    "Documentos sin concepto de abono por defecto, no se ajustaron:\r\n";

}  // namespace qz::domain
