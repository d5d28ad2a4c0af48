#include "domain/pos/sale_price_lists.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

PriceType price_type_from_row(const data::WDBTable& t) {
    return PriceType{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("MONEDA")),
                     t.num("IMP_INCL") == 1, t.num("SOLO_COSTO") == 1};
}

void put_price_type_row(data::WDBTable& t, const std::string& business, const PriceType& p) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(p.code));
    t.FieldPut("DESCRIP", trim(p.name));
    t.FieldPut("MONEDA", normal_code(p.currency));
    t.FieldPut("IMP_INCL", Decimal(p.tax_included ? 1 : 0));
}

PriceRow list_price_from_row(const data::WDBTable& t) {
    return PriceRow{"", trim(t.str("CODIGO")), trim(t.str("ARTICULO")), t.num("PRECIO"), {}};
}

void put_list_price_row(data::WDBTable& t, const std::string& business, const PriceRow& p) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", p.type);
    t.FieldPut("ARTICULO", p.article);
    t.FieldPut("PRECIO", p.price);
}

PriceRow customer_price_from_row(const data::WDBTable& t) {
    return PriceRow{trim(t.str("CLIENTE")), trim(t.str("T_PRECIO")), trim(t.str("ARTICULO")),
                    t.num("PRECIO"), t.date("FECHA")};
}

void put_customer_price_row(data::WDBTable& t, const std::string& business, const PriceRow& p) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", p.customer);
    t.FieldPut("ARTICULO", p.article);
    t.FieldPut("T_PRECIO", p.type);
    t.FieldPut("PRECIO", p.price);
    t.FieldPut("FECHA", p.date);
}

std::optional<PriceType> read_price_type(data::Db& db, const std::string& business,
                                         const std::string& code) {
    std::optional<PriceType> out;
    if (trim(code).empty()) return out;
    data::Table t = data::USE(db, "ENC_PREC", "ENC_PREC");
    if (t->Seek(data::order_key("ENC_PREC", "ENC_PREC", {business, trim(code)})))
        out = price_type_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

std::optional<BasePrice> lookup_base_price(data::Db& db, const std::string& business,
                                           const std::string& article,
                                           const std::string& price_type,
                                           const std::string& customer) {
    std::optional<BasePrice> out;
    if (!trim(customer).empty()) {
        data::Table c = data::USE(db, "PRE_CLIE", "PRE_CLIE");
        if (c->Seek(
                data::order_key("PRE_CLIE", "PRE_CLIE", {business, customer, article, price_type})))
            out = BasePrice{customer_price_from_row(*c).price, true};
        data::KILLTABLA(db, c);
    }
    if (out) return out;
    data::Table l = data::USE(db, "DET_PREC", "DET_PRC1");
    if (l->Seek(data::order_key("DET_PREC", "DET_PRC1", {business, price_type, article})))
        out = BasePrice{list_price_from_row(*l).price, false};
    data::KILLTABLA(db, l);
    return out;
}

}  // namespace qz::domain::pos
