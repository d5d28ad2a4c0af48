#pragma once
// PROCESA_ABONO: writes a payment in one database transaction, all or nothing: the receipt with
// its applications, the documents' new balances and interest, the credit note of an excess, the
// tenders, the rates used and the journal voucher, and removes the pending copy it finishes.
//
// Two workstations may have added the same document: each line remembers the balance it was
// figured on, and inside the transaction, with every document locked (in document-number order,
// so two payments never wait for each other), a balance that moved since refuses the whole
// payment. The lock is held to the end, so no other payment can slip in between the check and
// the write.
#include <optional>
#include <string>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/payment_checks.h"
#include "domain/ledger/payment_draft.h"

namespace qz::domain {

// The receipt number written, for the window to print; none after telling the user why
// (a check, a changed balance, a missing series, a failure of the database). The checks word a
// date out of range with `date_range_text`.
std::optional<std::string> PROCESA_ABONO(data::Db& db, UserPort& port, const PaymentDraft& draft,
                                         const IniFile* workstation = nullptr,
                                         const char* date_range_text = kDateOutOfRange);

inline constexpr const char* kBalancesChanged =
    "Las siguientes facturas tuvieron variaciones en el saldo por otro proceso :\r\n";
inline constexpr const char* kPaymentFailed =
    "No se pudo procesar el Movimiento.  Por favor vuelva a intentar...";

}  // namespace qz::domain
