#pragma once
// MOV_CLIENTE: documents charged to the wrong customer moved to another one. Each document takes
// the new customer, branch and the branch's name, its lines the new customer, and every payment
// applied to it (found through its DET_MOVE lines) the new customer and the customer's name, so
// the statements of both customers read right afterwards. Nothing is posted: the receivable
// account is the same.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct CustomerMove {
    std::vector<std::string> documents;  // the marked documents
    std::string customer, branch;        // where they go
};

// Refuses no marked document ("Debe marcar al menos un documento"), a customer that is not one
// of the business's ("Debe seleccionar un Cliente válido") and a branch that is not the
// customer's ("Debe seleccionar una Sucursal válida"); otherwise moves every document under a
// progress text naming it, all in one transaction. Returns the documents moved, -1 when refused.
long move_documents_to_customer(data::Db& db, UserPort& port, const std::string& business,
                                const CustomerMove& move);

inline constexpr const char* kNoCustomer = "Debe seleccionar un Cliente válido";

}  // namespace qz::domain
