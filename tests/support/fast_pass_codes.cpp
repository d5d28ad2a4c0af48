// Test programs hash the demonstration's pass codes at the library's minimum cost: hundreds of
// installations a run would otherwise spend most of their time in the hashing. Production code
// never calls this; the hashes are verified the same way whatever their cost.
#include "domain/session/pass_code.h"

namespace {
const bool g_fast = (qz::domain::set_pass_code_cost(qz::domain::PassCodeCost::Minimum), true);
}
