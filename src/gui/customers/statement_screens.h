#pragma once
// The dialogs of the customer list's printouts: the historic statement CLIENT_3 ("Estado de
// Cuenta Histórico": the range and the branch, IMP_2 prints) and the customer listings
// PRINT_CLIENTES ("Listados de Clientes": order, state and classification).
#include <optional>
#include <string>

#include "core/date.h"
#include "data/db.h"
#include "domain/customers/customer_listing.h"

class QWidget;

namespace qz::gui {

enum StatementControl {
    kHisFrom = 101,
    kHisTo = 102,
    kHisBranch = 103,
    kHisPrint = 104,  // IMP_2
    kLstByCode = 101,
    kLstByName = 102,
    kLstState = 103,
    kLstClass = 104,
};

// The range and branch chosen in CLIENT_3; nothing when the user leaves.
struct HistoricRequest {
    Date from, to;
    std::string branch;  // "" = every branch
};
std::optional<HistoricRequest> ask_historic_statement(QWidget* owner, data::Db& db,
                                                      const std::string& business,
                                                      const std::string& customer,
                                                      const Date& today);

std::optional<domain::customers::ListingRequest> ask_customer_listing(
    QWidget* owner, data::Db& db, const std::string& business);

inline constexpr const char* kBadRange = "La fecha inicial no puede ser mayor a la fecha final";
inline constexpr const char* kBadDate = "Fecha inválida";

}  // namespace qz::gui
