#pragma once
// What the lists do to a saved reservation: cancel it and check it may be invoiced.
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::spa {

struct CancelRequest {
    std::string business, code, user;
    std::string info;  // who and where, stamped in INFO_ANUL
    std::string question = "Desea cancelar la reserva?";
};
// "Debe seleccionar una reserva" without a code; an invoiced one is refused; after the
// question (title "Advertencia") the reservation gets state 3 and the cancellation stamp.
// True when it was cancelled.
bool cancel_reservation(data::Db& db, UserPort& port, const CancelRequest& r);

// The checks before a reservation is invoiced: active, with a person in charge, a price type
// and a line with a quantity. True when it may be invoiced.
bool check_invoicing(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code);
// Before annulling a reservation's invoice: it must have one. The invoice's number when it has.
std::optional<std::string> check_invoice_annulment(data::Db& db, UserPort& port,
                                                   const std::string& business,
                                                   const std::string& code);

}  // namespace qz::domain::spa
