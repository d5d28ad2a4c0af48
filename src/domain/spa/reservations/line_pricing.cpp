#include "domain/spa/reservations/line_pricing.h"

#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_line.h"
#include "domain/spa/master/services.h"
#include "domain/spa/master/spa_params.h"

namespace qz::domain::spa {

namespace {

std::optional<Decimal> subline_cap(data::Db& db, const std::string& business,
                                   const std::string& line, const std::string& subline) {
    auto s = data::USE(db, "SUB_LIN", "SUB_LIN");
    std::optional<Decimal> cap;
    if (s->Seek(data::order_key("SUB_LIN", "SUB_LIN", {business, line, subline}))) {
        const Subline sub = pos::subline_from_row(*s);
        if (sub.check_discount) cap = sub.max_discount;
    }
    data::KILLTABLA(db, s);
    return cap;
}

}  // namespace

std::optional<ArticleInfo> find_article(data::Db& db, const std::string& business,
                                        const std::string& code) {
    auto a = data::USE(db, "DEF_ART", "DEF_ART");
    std::optional<ArticleInfo> out;
    if (!trim(code).empty() && a->Seek(data::order_key("DEF_ART", "DEF_ART", {business, code}))) {
        const Service svc = pos::article_from_row(*a);
        ArticleInfo info{svc.code, svc.name, svc.tax, {}};
        if (svc.check_discount)
            info.discount_cap = svc.max_discount;
        else
            info.discount_cap = subline_cap(db, business, svc.line, svc.subline);
        out = info;
    }
    data::KILLTABLA(db, a);
    return out;
}

std::string spa_register(const IniFile& ini, const std::string& business) {
    return trim(ini.get(kSpaIniSection, spa_register_key(business)));
}

std::string spa_default_customer(data::Db& db, const std::string& business,
                                 const std::string& register_code) {
    if (register_code.empty()) return "";
    auto c = data::USE(db, "CAJA_ENC", "CAJA_ENC");
    const bool found = c->Seek(data::order_key("CAJA_ENC", "CAJA_ENC", {business, register_code}));
    std::string customer = found ? trim(c->str("DEF_CLIEN")) : "";
    data::KILLTABLA(db, c);
    return customer;
}

std::string discount_refusal(const ArticleInfo& a) {
    return pos::discount_refusal(a.code, a.description);
}

Totals line_terms(const SpaLine& l) {
    return pos::line_figures(l.quantity, l.price, l.tax, l.discount);
}

Totals line_totals(const std::vector<SpaLine>& lines) {
    Totals t;
    for (const SpaLine& l : lines) {
        if (l.deleted) continue;
        const Totals one = line_terms(l);
        t.subtotal += one.subtotal;
        t.discount += one.discount;
        t.tax += one.tax;
        t.total += one.total;
    }
    return t;
}

const AmountField& line_field(LineAmount which) {
    static const AmountField fields[] = {
        data::amount_field("SPA_RESD", "CANTIDAD", "Cantidad"),
        data::amount_field("SPA_RESD", "PRECIO", "Precio"),
        data::percent_field("SPA_RESD", "DESCUENTO", "Descuento"),
    };
    return fields[static_cast<int>(which)];
}

AmountField total_field(std::string label) {
    return data::amount_field("DOCUMENT", "MONTO", std::move(label));
}

}  // namespace qz::domain::spa
