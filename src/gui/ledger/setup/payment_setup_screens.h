#pragma once
// The payment set-up screens of "Cuentas por Cobrar": payment concepts (CONCEPT2), payment
// methods (TIPO_MOV, editor E_T_MOV) and receipt blocks (T_RECIBO), each a list with its form.
#include <string>

#include "data/db.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

MasterListScreen* open_payment_concepts(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_payment_methods(QWidget* owner, data::Db& db, const std::string& business);
MasterListScreen* open_receipt_blocks(QWidget* owner, data::Db& db, const std::string& business);

// The form fields' ids (their objectName), for the tests.
namespace payment_form {
enum : int {
    kCode = 101,
    kName,
    kAppliesTo,
    kBalance,
    kAvailable,
    kReversal,
    kShown,
    kLink = 120,
    kIndividual,
    kSide,
    kDirection,
    kCharge,
    kTipCharge,
    kToHotel,
    kDepositable,
    kNoClosing,
    kNoSpecial,
    kReadsChange,
    kAnnulment,
    kNeedsVoucher,
    kVoucherMin,
    kExecutive,
    kExecutiveOnly,
    kBankMovement,
    kBank,
    kAccount,
    kDepositConcept,
    kAnnulConcept,
    kPayroll,
    kSeries = 160,
    kPendingSeries,
    kTyped,
    kMinLength
};
}  // namespace payment_form

}  // namespace qz::gui
