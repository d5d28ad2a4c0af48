#include "domain/spa/master/service_defaults.h"

#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain::spa {

Decimal usual_service_tax(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "DEF_ART", "DEF_ART");
    const std::string scope = data::business_key(business);
    t->SetScope(scope, scope);
    // The newest record is the highest record number; the walk is one pass over the business's
    // services, which number in the tens.
    long newest = 0;
    Decimal tax;
    for (t->GoTop(); !t->Eof(); t->Skip())
        if (t->RecNo() > newest) {
            newest = t->RecNo();
            tax = t->num("IMP_ART");
        }
    data::KILLTABLA(db, t);
    return tax;
}

}  // namespace qz::domain::spa
