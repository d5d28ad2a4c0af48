#include "domain/session/traduct.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

std::vector<TraductPair> load_traduct(data::Db& db, const std::string& business) {
    std::vector<TraductPair> out;
    auto t = data::USE(db, "TRADUCT", "TRADUCT");
    std::string key = data::business_key(business);
    t->SetScope(key, key);
    bool has_mode = t->FieldPos("INCRUSTADO") > 0;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        TraductPair p{rtrim(t->str("SEQUENCE1")), rtrim(t->str("SEQUENCE2")), 0};
        if (has_mode) p.mode = static_cast<int>(t->num("INCRUSTADO").to_int());
        if (!p.from.empty()) out.push_back(std::move(p));
    }
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace qz::domain
