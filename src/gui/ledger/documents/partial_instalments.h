#pragma once
// V_PARC "Plazos Parciales": the instalments still due of a document, with their days since
// issue, days overdue, principal, interest and late interest, and the totals of balance, overdue
// balance, interest, overdue interest and late interest. The amount typed in "Monto a Abonar:"
// (or the instalments down to the row double-clicked) is paid instalment by instalment, each
// one's late interest, interest and principal in that order (domain/ledger/instalments.h).
//
// It works on the document as stored and on `today`, so the payment window can open it for a
// document it has not saved a payment for yet; what it hands back is what that window applies.
#include <optional>
#include <string>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/instalments.h"

class QWidget;

namespace qz::gui {

// The payment chosen; nothing when the user left or the document does not exist.
std::optional<domain::InstalmentPayment> V_PARC(QWidget* owner, data::Db& db, UserPort& port,
                                                const std::string& business,
                                                const std::string& document, const Date& today);

// Control ids (their objectName) for the tests.
namespace v_parc {
enum : int {
    kGrid = 500,
    kDocument = 101,
    kAmount = 102,
    kBalance = 111,
    kOverdueBalance,
    kInterest,
    kOverdueInterest,
    kLate,
    kDue,
};
}  // namespace v_parc

}  // namespace qz::gui
