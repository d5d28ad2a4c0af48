#pragma once
// The order and proforma screens' rules: an order or proforma moves forward (through the credit
// control), is approved into the first credit-approval stage, moves back (an invoiced or annulled
// one to the stage the business names for it), may be converted only from a stage that allows
// it, and is annulled, an order giving back the stock its lines hold. Each move is one
// transaction with its history. `w` is kOrderWorkflow or kProformaWorkflow.
#include <optional>
#include <string>

#include "core/date.h"
#include "data/db.h"
#include "domain/collections/order_credit.h"
#include "domain/collections/stage_authorisers.h"
#include "domain/collections/stage_chain.h"

namespace qz::domain {

// The stages F_FAC names: for orders ETAP_FACT, ETAP_FACT2, ETAP_ANUL, ETAP_ANUL2; for
// proformas PROF_FACT, PROF_ANUL and PROF_PED (converted into an order), without stages back.
struct OrderStageSettings {
    std::string invoiced, invoiced_back, annulled, annulled_back, ordered;
};
OrderStageSettings read_order_stage_settings(data::Db& db, const StageWorkflow& w,
                                             const std::string& business);

struct OrderMoveRequest {
    std::string business, stage, order;  // the current stage and the chosen order
    StageAuthoriser authoriser;
    std::string reason;  // going back
    std::string user, info_user;
    Date date;  // today: the credit control counts overdue days to it
    std::string time;
};

struct OrderMoveResult {
    bool moved = false;
    std::string message;   // the refusal
    std::string to_stage;  // where the order went
};

OrderMoveResult move_order_forward(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r);
OrderMoveResult approve_order_credit(data::Db& db, const StageWorkflow& w,
                                     const OrderMoveRequest& r);
OrderMoveResult move_order_back(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r);
// After the screen's confirmation ("¿Desea Borrar el pedido: " + number + "?").
OrderMoveResult annul_order(data::Db& db, const StageWorkflow& w, const OrderMoveRequest& r);
// Why the row may not be converted (an order into an invoice, a proforma into an order or an
// invoice) from `stage`; nothing when it may. An order's stage must allow it (PEDI_FACT); a
// proforma already converted or annulled cannot be converted again.
std::optional<std::string> order_conversion_refusal(data::Db& db, const StageWorkflow& w,
                                                    const std::string& business,
                                                    const std::string& stage);

inline constexpr const char* kNoOrderChosen = "Falta seleccionar un Pedido";
inline constexpr const char* kNoOrderChosenBack = "Falta seleccionar un pedido ";
inline constexpr const char* kStageAllowsNoNext =
    "La etapa seleccionada no permite pasar a Siguiente";
inline constexpr const char* kStageAllowsNoInvoice =
    "La etapa en la que se encuentra el Pedido No permite pasar el Pedido a Factura";
inline constexpr const char* kStageAllowsNoAnnul =
    "La etapa seleccionada no permite anular pedidos";
inline constexpr const char* kProformaAllowsNoConversion =
    "La Proforma ya fue convertida o anulada; no se puede convertir de nuevo";
std::string annul_order_question(const std::string& order);

}  // namespace qz::domain
