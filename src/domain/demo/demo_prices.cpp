// Prices beyond the plain lists, for trying the point of sale: a tax-included price type, a
// promotion on a massage with quantity tiers for a few weeks around today, and a permanent
// percentage off the wellness sub-line.
#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_rows.h"
#include "domain/pos/price_rules.h"

namespace qz::domain::demo {

namespace {

const char* const kPublicType = "01";
const char* const kTaxIncludedType = "04";

void add_special(data::Db& db, const pos::SpecialPrice& s) {
    data::Table t = data::USE(db, "PRE_ESP1");
    data::ADD_NEW_REC(*t);
    pos::put_special_price_row(*t, kBiz, s);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

// Every article of the public list gets the same price with its tax in the new type, so a
// cashier on that type sees round prices and the invoice comes to the same amount.
void load_tax_included_type(data::Db& db) {
    RowWriter type(db, "ENC_PREC");
    type.add({{"CODIGO", kTaxIncludedType},
              {"DESCRIP", "Precio Público (impuesto incluido)"},
              {"MONEDA", kColones},
              {"IMP_INCL", 1}});
    struct Priced {
        std::string article;
        Decimal price;
    };
    std::vector<Priced> prices;
    data::Table list = data::USE(db, "DET_PREC", "DET_PRC1");
    data::Table arts = data::USE(db, "DEF_ART", "DEF_ART");
    const std::string key = data::order_key("DET_PREC", "DET_PRC1", {kBiz, kPublicType});
    for (list->Seek(key, true); !list->Eof() && list->CurrentKey().rfind(key, 0) == 0;
         list->Skip()) {
        const std::string code = trim(list->str("ARTICULO"));
        if (!arts->Seek(data::order_key("DEF_ART", "DEF_ART", {kBiz, code}))) continue;
        const Decimal tax = arts->num("IMP_ART");
        prices.push_back({code, ROUND5(list->num("PRECIO") * (Decimal(100) + tax) / Decimal(100))});
    }
    data::KILLTABLA(db, arts);
    data::KILLTABLA(db, list);
    RowWriter out(db, "DET_PREC");
    for (const Priced& p : prices)
        out.add({{"CODIGO", kTaxIncludedType}, {"ARTICULO", p.article}, {"PRECIO", p.price}});
}

}  // namespace

void load_prices(data::Db& db, const Date& today, Summary& out) {
    load_tax_included_type(db);

    pos::SpecialPrice promo;
    promo.article = "MAS001";
    promo.price_type = kPublicType;
    promo.from = today.add_days(-7);
    promo.to = today.add_days(30);
    promo.tiers[0] = {Decimal(1), Decimal(2), Decimal(42000)};
    promo.tiers[1] = {Decimal(3), Decimal(10), Decimal(39000)};
    add_special(db, promo);

    pos::SpecialPrice wellness;
    wellness.price_type = kPublicType;
    wellness.line = "SPA";
    wellness.subline = "BIEN";
    wellness.percent = true;
    wellness.tiers[0] = {Decimal(1), Decimal(999), Decimal(10)};
    add_special(db, wellness);

    out.push_back("Precios: tipo " + std::string(kTaxIncludedType) +
                  " con impuesto incluido; MAS001 en promoción hasta el " + promo.to.dtoc4() +
                  " (1-2: 42,000.00; 3-10: 39,000.00); " +
                  "hidroterapia y bienestar con 10 % de descuento en el precio público.");
}

}  // namespace qz::domain::demo
