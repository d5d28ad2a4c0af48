#include "domain/pos/price_rules.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain::pos {

namespace {

std::string cant(int i) { return "CANT_" + std::to_string(i); }
std::string precio(int k) { return "PRECIO_" + std::to_string(k); }

// An open end of the window does not limit it.
bool in_window(const SpecialPrice& s, const Date& today) {
    if (!s.from.empty() && today < s.from) return false;
    if (!s.to.empty() && s.to < today) return false;
    return true;
}

// The rows of one rule (class, article or blanks, price type, then line and sub-line for the
// rules without an article), and the first that gives a value.
std::optional<SpecialPriceHit> try_rule(data::WDBTable& t, const std::string& business, int rule,
                                        const SpecialPriceQuery& q) {
    const bool window = rule == 1 || rule == 3;
    const bool by_line = rule >= 3;
    const std::string cls = window ? "1" : "0";
    const std::string article = by_line ? std::string() : q.article;
    const std::string key =
        by_line ? data::order_key("PRE_ESP1", "PRE_ESP1",
                                  {business, cls, article, q.price_type, q.line, q.subline})
                : data::order_key("PRE_ESP1", "PRE_ESP1", {business, cls, article, q.price_type});
    for (t.Seek(key, true); !t.Eof() && t.CurrentKey().rfind(key, 0) == 0; t.Skip()) {
        const SpecialPrice s = special_price_from_row(t);
        if (window && !in_window(s, q.today)) continue;
        const Decimal v = VERIFICA_VALOR(s, q.quantity);
        if (v > 0) return SpecialPriceHit{rule, v, by_line || s.percent};
    }
    return std::nullopt;
}

}  // namespace

SpecialPrice special_price_from_row(const data::WDBTable& t) {
    SpecialPrice s{trim(t.str("ARTICULO")), trim(t.str("T_PRECIO")),
                   trim(t.str("LINEA")),    trim(t.str("SUBLINEA")),
                   t.date("FECHA_INI"),     t.date("FECHA_FIN"),
                   t.num("TIPO_PREC") == 2, {}};
    for (int k = 1; k <= 10; ++k)
        s.tiers[k - 1] = {t.num(cant(2 * k - 1)), t.num(cant(2 * k)), t.num(precio(k))};
    return s;
}

void put_special_price_row(data::WDBTable& t, const std::string& business, const SpecialPrice& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("ARTICULO", s.article);
    t.FieldPut("T_PRECIO", s.price_type);
    t.FieldPut("LINEA", s.line);
    t.FieldPut("SUBLINEA", s.subline);
    t.FieldPut("FECHA_INI", s.from);
    t.FieldPut("FECHA_FIN", s.to);
    t.FieldPut("TIPO_PREC", Decimal(s.percent ? 2 : 1));
    for (int k = 1; k <= 10; ++k) {
        t.FieldPut(cant(2 * k - 1), s.tiers[k - 1].from);
        t.FieldPut(cant(2 * k), s.tiers[k - 1].to);
        t.FieldPut(precio(k), s.tiers[k - 1].value);
    }
}

Decimal VERIFICA_VALOR(const SpecialPrice& s, const Decimal& quantity) {
    for (const PriceTier& tier : s.tiers)
        if (tier.from <= quantity && quantity <= tier.to) return tier.value;
    return Decimal(0);
}

std::optional<SpecialPriceHit> XGET_PRECIO2(data::Db& db, const std::string& business,
                                            const SpecialPriceQuery& q) {
    data::Table t = data::USE(db, "PRE_ESP1", "PRE_ESP1");
    std::optional<SpecialPriceHit> hit;
    for (int rule = 1; rule <= 4 && !hit; ++rule) {
        if (rule <= 2 && trim(q.article).empty()) continue;
        hit = try_rule(*t, business, rule, q);
    }
    data::KILLTABLA(db, t);
    return hit;
}

}  // namespace qz::domain::pos
