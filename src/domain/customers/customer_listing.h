#pragma once
// "Listados de Clientes" (PRINT_CLIENTES): the customers of the business by code or by name,
// the active, the inactive or all of them, of one classification or of every one, each with its
// principal branch's telephone and credit limit.
#include <string>
#include <vector>

#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::customers {

enum class ListingOrder { Code, Name };
enum class ListingState { Active, Inactive, All };

struct ListingRequest {
    ListingOrder order = ListingOrder::Code;
    ListingState state = ListingState::All;
    std::string classification;  // CLAS_1; "" = every classification
};

struct ListingRow {
    std::string code, name, legal_id, phone;
    std::string classification;  // the code and its description
    std::string state;           // "Activo" / "Inactivo"
    Decimal limit;               // the principal branch's LIMITE
    std::string limit_currency;
};

std::vector<ListingRow> customer_listing(data::Db& db, const std::string& business,
                                         const ListingRequest& r);

// The texts the dialog offers for the state, in ListingState order.
const std::vector<std::string>& listing_state_names();

}  // namespace qz::domain::customers
