#pragma once
// FAC_CANC, "Cancelación de Facturas": a customer pays documents issued earlier at a register.
// The cashier chooses the customer, marks the pending documents being paid (credit notes lower
// the total), takes the tenders and gets one printed receipt paying each document in full. The
// screen opens, re-opens and closes its register like the sale screen.
#include "core/ini_file.h"
#include "data/db.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

class WDIAG;

inline constexpr int kCmdSettle = 6660;

namespace fac_canc {
// Control ids.
inline constexpr int kRegisterLabel = 401, kCustomer = 501, kChooseCustomer = 502,
                     kCustomerName = 503, kGrid = 500, kTotalCaption = 103, kTotal = 104,
                     kOpenRegister = 201, kReopenRegister = 202, kCloseRegister = 203;
// Grid columns.
inline constexpr int kColMark = 0, kColDocument = 1, kColDate = 2, kColConcept = 3,
                     kColCurrency = 4, kColBalance = 5, kColToPay = 6;
inline constexpr const char* kTendersCaption = "Digite la forma de Pago del Cliente";
}  // namespace fac_canc

WDIAG* open_fac_canc(QWidget* owner, data::Db& db, domain::Session& session, const IniFile* ini);

}  // namespace qz::gui
