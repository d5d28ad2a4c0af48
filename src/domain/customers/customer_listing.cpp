#include "domain/customers/customer_listing.h"

#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

bool admitted(const ListingRequest& r, bool active, const std::string& clas1) {
    if (r.state == ListingState::Active && !active) return false;
    if (r.state == ListingState::Inactive && active) return false;
    return r.classification.empty() || clas1 == normal_code(r.classification);
}

std::map<std::string, std::string> classification_names(data::Db& db,
                                                        const std::string& business) {
    std::map<std::string, std::string> out;
    data::Table t = data::USE(db, "CLAS_CLI", "CLAS_CLI");
    const std::string key = data::business_key(business);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out[trim(t->str("CODIGO"))] = trim(t->str("DESCRIP"));
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

const std::vector<std::string>& listing_state_names() {
    static const std::vector<std::string> names = {"Clientes Activos", "Clientes Inactivos",
                                                   "Todos los Clientes"};
    return names;
}

std::vector<ListingRow> customer_listing(data::Db& db, const std::string& business,
                                         const ListingRequest& r) {
    const auto names = classification_names(db, business);
    const char* order = r.order == ListingOrder::Code ? "CLIENTES" : "CLIENTE2";
    data::Table cli = data::USE(db, "CLIENTES", order);
    data::Table br = data::USE(db, "DET_CLIE", "DET_CLIE3");
    const std::string key = data::business_key(business);
    cli->SetScope(key, key);
    std::vector<ListingRow> out;
    for (cli->GoTop(); !cli->Eof(); cli->Skip()) {
        const bool active = cli->num("ESTADO") != 0;
        const std::string clas1 = trim(cli->str("CLAS_1"));
        if (!admitted(r, active, clas1)) continue;
        ListingRow row;
        row.code = trim(cli->str("CODIGO"));
        row.name = trim(cli->str("NOMBRE"));
        row.legal_id = trim(cli->str("JURIDICA"));
        auto it = names.find(clas1);
        row.classification = clas1 + (it == names.end() ? "" : " " + it->second);
        row.state = active ? "Activo" : "Inactivo";
        if (br->Seek(data::order_key("DET_CLIE", "DET_CLIE3",
                                     {business, row.code, std::string("S")}))) {
            row.phone = trim(br->str("TELEFONO"));
            row.limit = br->num("LIMITE");
            row.limit_currency = trim(br->str("MON_LIMITE"));
        }
        out.push_back(std::move(row));
    }
    data::KILLTABLA(db, br);
    data::KILLTABLA(db, cli);
    return out;
}

}  // namespace qz::domain::customers
