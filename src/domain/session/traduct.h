#pragma once
// The business's caption translations (XTRADUCT): screens show "Huésped" where the suite says
// "Cliente", and so on.
#include <string>
#include <vector>

#include "data/db.h"

namespace qz::domain {

struct TraductPair {
    std::string from, to;
    int mode = 0;  // INCRUSTADO: replace inside longer captions too
};

// TRADUCT rows of the business, in their order; a table without INCRUSTADO gives mode 0.
std::vector<TraductPair> load_traduct(data::Db& db, const std::string& business);

}  // namespace qz::domain
