#pragma once
// The sale on the screen typed again into a draft of another kind (save to order, save to
// proforma): the same register defaults, header, customer data, plan, discounts and lines, each
// through the rules of the new kind, so what the rules refuse for it stays out.
#include <optional>

#include "domain/pos/sale_draft.h"

namespace qz::gui {

void copy_sale(const domain::pos::SaleDraft& from, domain::pos::SaleDraft& to,
               const domain::pos::RegisterDefaults* reg,
               const std::optional<domain::pos::CardAccount>& card);

}  // namespace qz::gui
