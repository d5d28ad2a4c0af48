#pragma once
// The tenders of a sale (FORMA_PAGO): the sale screen opens it with the sale's tender rows and
// what the dialog needs to know of the sale, the register and the customer.
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/pos/card_terminal.h"
#include "domain/pos/tenders.h"

class QWidget;

namespace qz::gui {

// What the sale screen does once the dialog is closed.
enum class TendersOutcome {
    Continue = 1,  // accepted (and the change dialog, when it opened, accepted too)
    Stay = 2,      // cancelled, or the change dialog was cancelled
};

struct TendersRequest {
    std::string caption;
    domain::pos::TenderInputs inputs;
    std::vector<domain::pos::TenderRow>* rows = nullptr;  // the sale's rows, updated on accept
    Decimal* paid = nullptr;                              // the sale's ABONO, updated on accept
    // The workstation's card terminal; none: a terminal that is not configured.
    domain::pos::CardTerminal* terminal = nullptr;
};

TendersOutcome run_tenders_dialog(QWidget* owner, data::Db& db, const TendersRequest& request);

// Control ids of the dialog.
namespace forma_pago {
enum : int {
    kPaid = 101,
    kNote = 102,
    kTotal = 103,
    kGrid = 500,
    kQuick1 = 201,  // F2 .. F8 are 201 .. 207
    kRooms = 210,   // F11
};
}  // namespace forma_pago

}  // namespace qz::gui
