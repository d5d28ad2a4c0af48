#pragma once
// The add / modify dialog of a point-of-sale register (CAJAS): code, description, pass code,
// state, the defaults the sale screen takes from their pick lists, the quick tenders with their
// labels, the closing currency and receipt type, and the register's flags.
#include <optional>
#include <string>

#include "data/db.h"
#include "domain/cash/register_rows.h"

class QWidget;

namespace qz::gui {

// Control ids (objectNames) of the dialog.
inline constexpr int kRegCode = 601, kRegName = 602, kRegPassword = 603, kRegOpen = 604,
                     kRegClosed = 605, kRegWarehouse = 610, kRegAgent = 611, kRegCurrency = 612,
                     kRegCustomer = 613, kRegConcept = 614, kRegPriceType = 615, kRegCentre = 616,
                     kRegReceipt = 617, kRegClosingCurrency = 618,
                     kRegTender1 = 620,  // 620..626: quick tenders 1..7
    kRegLabel2 = 632,                    // 632..637: labels of quick tenders 2..7
    kRegFlag1 = 640,                     // flags in the order of kRegisterFlags
    kRegBlock1 = 660;                    // 660..669: BLOQUEO1..10

// The code of "***Según Moneda Contabilidad" in the closing-currency list: the register closes
// in the accounting currency (stored blank).
inline constexpr const char* kAccountingCurrency = "";

// Runs the dialog; true when the register was saved.
bool register_form(QWidget* owner, data::Db& db, const std::string& business,
                   const std::optional<domain::cash::CashRegister>& current);

}  // namespace qz::gui
