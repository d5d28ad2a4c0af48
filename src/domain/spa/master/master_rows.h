#pragma once
// The spa's maintenance rules use the helpers every code table shares, under their own names.
#include "domain/session/code_rows.h"

namespace qz::domain::spa {

using domain::code_width_problem;
using domain::CodeName;
using domain::for_business_rows;
using domain::key_exists;
using domain::kRecodeAborted;
using domain::lock_at_key;
using domain::normal_code;
using domain::recode_by_order;
using domain::recode_in_scope;
using domain::refuse;

}  // namespace qz::domain::spa
