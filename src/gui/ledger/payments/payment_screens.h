#pragma once
// The payment screens: "Registro de Abonos" (ABONOS1, a payment entered over the payment draft
// of the domain and processed with PROCESA_ABONO, its receipt printed), "Anulación de
// Movimientos" (ANULA_MOVE) and the printed receipt. The rules are the domain's
// (payment_draft.h, payment_posting.h, payment_pending.h, payment_annulment.h); these screens
// show the draft and hand the user's edits to it.
#include <string>

#include "core/ini_file.h"
#include "data/db.h"

class QWidget;

namespace qz::gui {

class WDIAG;

WDIAG* open_payment_window(QWidget* owner, data::Db& db, const std::string& business,
                           const IniFile* workstation);
WDIAG* open_payment_annulment(QWidget* owner, data::Db& db, const std::string& business);

// Control ids (their objectName) for the tests.
namespace abonos1 {
// The header, in the order Enter walks it.
enum : int {
    kRegister = 101,
    kPassCode,
    kClerk,
    kCustomer,
    kBlock,
    kReceipt,
    kCurrency,
    kAmount,
    kDate,
    kDeposit,
    kComment,
    kCustomerName = 120,
    kAvailable = 121,
};
enum : int { kDocuments = 500, kTenders = 501 };
enum : int {
    kChooseCustomer = 201,
    kAddDocument,
    kRemoveDocument,
    kAddTender,
    kRemoveTender,
    kProcess,
    kPending,
    kLoadPending,
    kAdjust,
    kRates,
    kInstalments,
    kCreditNote,
    kLastPayments,
};
// The columns of the documents grid; only the total is typed.
enum : int {
    kDocNumber,
    kDocConcept,
    kDocCurrency,
    kDocBalance,
    kDocTotal,
    kDocInterest,
    kDocNewBalance,
    kDocColumns
};
// The columns of the tenders grid; all but the method and its name are typed.
enum : int {
    kTenMethod,
    kTenName,
    kTenAmount,
    kTenAccount,
    kTenDocument,
    kTenVoucher,
    kTenAuthorisation,
    kTenColumns
};
}  // namespace abonos1

namespace anula_move {
enum : int { kGrid = 500, kNumber = 101, kDate = 102, kAnnul = 201 };
}  // namespace anula_move

}  // namespace qz::gui
