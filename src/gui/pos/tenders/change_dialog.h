#pragma once
// The change dialog (CtrlCambio): what the customer hands over against the cash tenders and the
// change to give back, in the sale's currency or the ticket currency.
#include <string>

#include "core/decimal.h"
#include "data/db.h"
#include "domain/pos/change_calc.h"

class QWidget;

namespace qz::gui {

// True when the cashier confirmed ("Desea continuar?"); false on Cancel.
bool run_change_dialog(QWidget* owner, data::Db& db, const std::string& business,
                       const std::string& currency, const Decimal& to_pay);
bool run_change_dialog(QWidget* owner, domain::pos::CtrlCambio& change);

namespace ctrl_cambio {
enum : int {
    kToPay = 101,
    kReceived = 102,
    kChange = 103,
    kRate1 = 104,
    kRate2 = 105,
    kCurrency = 106,
    kTicketCurrency = 201,  // button 1
    kSaleCurrency = 202,    // button 2
};
}  // namespace ctrl_cambio

}  // namespace qz::gui
