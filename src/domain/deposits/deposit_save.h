#pragma once
// Saving a guarantee deposit (PROCESAR): the checks of deposit_checks.h, the card payment when
// the concept charges a card, then one transaction that numbers the deposit from its concept's
// series, writes its header and accounting lines, books the money (the bank book of the
// concept's account, or a journal voucher from the counterpart) and applies it to the
// reservation room lines. A room whose guest is already in house is not applied to: the
// deposit is still saved and the amount stays in its unapplied balance. A failure after the
// card was charged gives the card back.
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/deposits/deposit_checks.h"
#include "domain/deposits/deposit_draft.h"
#include "domain/pos/card_terminal.h"
#include "domain/session/session.h"

namespace qz::domain {

struct DepositSaveResult {
    bool saved = false;
    DepositField focus = DepositField::None;  // where to put the cursor after a refusal
    std::string movement;                     // the deposit's number
    bool print_voucher = false;  // the concept prints a voucher (IMP_COMP)
    // Reservations whose checked-in room lines were left for the folio.
    std::vector<std::string> skipped;
};

DepositSaveResult PROCESAR(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                           pos::CardTerminal& card, const DepositDraft& d);

inline constexpr const char* kProcessingData = "Procesando Datos...";
inline constexpr const char* kCardDenied = "TARJETA DENEGADA: ";
inline constexpr const char* kBankError = "Error notificado del Banco";
// The ledger link of the hotel's debt to the payer of a deposit, and the link that takes the
// rounding left by lines typed as percentages.
inline constexpr const char* kPrepaymentLink = "PREPAGOS";
inline constexpr const char* kRoundingLink = "REDONDEO";

}  // namespace qz::domain
