#include "domain/pos/articles.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

bool on(const data::WDBTable& t, const char* field) { return t.num(field) == 1; }
Decimal flag(bool v) { return Decimal(v ? 1 : 0); }
std::string text(const data::WDBTable& t, const char* field) { return trim(t.str(field)); }

std::optional<std::string> bar_code_article(data::Db& db, const std::string& business,
                                            const std::string& code) {
    const auto b = read_keyed_row<BarCode>(db, "BARRAS", "BARRAS",
                                           data::order_key("BARRAS", "BARRAS", {business, code}),
                                           bar_code_from_row);
    if (!b || b->article.empty()) return std::nullopt;
    return b->article;
}

}  // namespace

Article article_from_row(const data::WDBTable& t) {
    Article a;
    a.code = text(t, "CODIGO");
    a.name = text(t, "DESCRIP");
    a.tax = t.num("IMP_ART");
    a.line = text(t, "LINEA");
    a.subline = text(t, "SUBLINEA");
    a.check_discount = on(t, "CHECK_D1");
    a.max_discount = t.num("CHECK_D2");
    a.ticket = on(t, "IMP_T");
    a.alt_code = text(t, "COD_ALT");
    a.brand = text(t, "MARCA");
    a.stocked = on(t, "TIPO");
    a.suggested_quantity = t.num("CANT_SUG");
    a.average_cost = t.num("COSTO_PROM");
    a.invoice_text = text(t, "SPEC_FAC");
    a.read_text = on(t, "LEE_SPEC");
    a.read_price = on(t, "LEE_PRECIO");
    a.no_stock_check = on(t, "CHECK_N_E");
    a.post_sales = on(t, "HAB_V");
    a.post_split = on(t, "HAB_DET");
    a.post_discount = on(t, "HAB_D");
    a.post_tax = on(t, "HAB_I");
    a.sales_link = text(t, "ASIENTO_V");
    a.discount_link = text(t, "ASIENTO_D");
    a.tax_link = text(t, "ASIENTO_I");
    return a;
}

void put_article_row(data::WDBTable& t, const std::string& business, const Article& a) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(a.code));
    t.FieldPut("DESCRIP", trim(a.name));
    t.FieldPut("IMP_ART", a.tax);
    t.FieldPut("LINEA", normal_code(a.line));
    t.FieldPut("SUBLINEA", normal_code(a.subline));
    t.FieldPut("CHECK_D1", flag(a.check_discount));
    t.FieldPut("CHECK_D2", a.max_discount);
    t.FieldPut("IMP_T", flag(a.ticket));
    t.FieldPut("COD_ALT", normal_code(a.alt_code));
    t.FieldPut("MARCA", normal_code(a.brand));
    t.FieldPut("TIPO", flag(a.stocked));
    t.FieldPut("CANT_SUG", a.suggested_quantity);
    t.FieldPut("COSTO_PROM", a.average_cost);
    t.FieldPut("SPEC_FAC", trim(a.invoice_text));
    t.FieldPut("LEE_SPEC", flag(a.read_text));
    t.FieldPut("LEE_PRECIO", flag(a.read_price));
    t.FieldPut("CHECK_N_E", flag(a.no_stock_check));
    t.FieldPut("HAB_V", flag(a.post_sales));
    t.FieldPut("HAB_DET", flag(a.post_split));
    t.FieldPut("HAB_D", flag(a.post_discount));
    t.FieldPut("HAB_I", flag(a.post_tax));
    t.FieldPut("ASIENTO_V", trim(a.sales_link));
    t.FieldPut("ASIENTO_D", trim(a.discount_link));
    t.FieldPut("ASIENTO_I", trim(a.tax_link));
}

ArticleStock stock_from_row(const data::WDBTable& t) {
    return ArticleStock{text(t, "ARTICULO"), text(t, "BODEGA"),   t.num("CANTIDAD"),
                        t.num("BLOQUEO"),    t.num("COSTO_PROM"), t.num("ACTIVE") != 0};
}

void put_stock_row(data::WDBTable& t, const std::string& business, const ArticleStock& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("ARTICULO", normal_code(s.article));
    t.FieldPut("BODEGA", normal_code(s.warehouse));
    t.FieldPut("CANTIDAD", s.quantity);
    t.FieldPut("BLOQUEO", s.reserved);
    t.FieldPut("COSTO_PROM", s.average_cost);
    t.FieldPut("ACTIVE", flag(s.active));
}

Subline subline_from_row(const data::WDBTable& t) {
    Subline s;
    s.line = text(t, "LINEA");
    s.code = text(t, "CODIGO");
    s.name = text(t, "DESCRIP");
    s.check_discount = on(t, "CHECK_D1");
    s.max_discount = t.num("CHECK_D2");
    s.check_stock = on(t, "CHECK_E");
    s.no_lower_price = on(t, "CHECK_P1");
    s.no_raise_price = on(t, "CHECK_P2");
    s.sales_link = text(t, "ASIENTO1");
    s.sales_credit_link = text(t, "ASIENTO1_D");
    s.exempt_link = text(t, "ASIENTO6");
    s.exempt_credit_link = text(t, "ASIENTO6_D");
    s.cost_link = text(t, "ASIENTO2");
    return s;
}

void put_subline_row(data::WDBTable& t, const std::string& business, const Subline& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("LINEA", normal_code(s.line));
    t.FieldPut("CODIGO", normal_code(s.code));
    t.FieldPut("DESCRIP", trim(s.name));
    t.FieldPut("CHECK_D1", flag(s.check_discount));
    t.FieldPut("CHECK_D2", s.max_discount);
    t.FieldPut("CHECK_E", flag(s.check_stock));
    t.FieldPut("CHECK_P1", flag(s.no_lower_price));
    t.FieldPut("CHECK_P2", flag(s.no_raise_price));
    t.FieldPut("ASIENTO1", trim(s.sales_link));
    t.FieldPut("ASIENTO1_D", trim(s.sales_credit_link));
    t.FieldPut("ASIENTO6", trim(s.exempt_link));
    t.FieldPut("ASIENTO6_D", trim(s.exempt_credit_link));
    t.FieldPut("ASIENTO2", trim(s.cost_link));
}

BarCode bar_code_from_row(const data::WDBTable& t) {
    return BarCode{text(t, "CODIGO"), text(t, "ARTICULO")};
}

void put_bar_code_row(data::WDBTable& t, const std::string& business, const BarCode& b) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(b.code));
    t.FieldPut("ARTICULO", normal_code(b.article));
}

std::string article_key(const std::string& business, const std::string& code) {
    return data::order_key("DEF_ART", "DEF_ART", {business, normal_code(code)});
}

std::string stock_key(const std::string& business, const std::string& article,
                      const std::string& warehouse) {
    return data::order_key("ARTICULO", "ARTIC1",
                           {business, normal_code(article), normal_code(warehouse)});
}

std::optional<FoundArticle> find_article(data::Db& db, const std::string& business,
                                         const std::string& typed) {
    const std::string code = normal_code(typed);
    // A blank code would match every article without an alternative code.
    if (code.empty()) return std::nullopt;
    if (auto a = read_article(db, business, code)) return FoundArticle{*a, ArticleMatch::Code};
    if (auto named = bar_code_article(db, business, code))
        if (auto a = read_article(db, business, *named))
            return FoundArticle{*a, ArticleMatch::BarCode};
    if (auto a = read_keyed_row<Article>(db, "DEF_ART", "DEF_ART2",
                                         data::order_key("DEF_ART", "DEF_ART2", {business, code}),
                                         article_from_row))
        return FoundArticle{*a, ArticleMatch::AlternativeCode};
    return std::nullopt;
}

std::optional<Article> read_article(data::Db& db, const std::string& business,
                                    const std::string& code) {
    if (normal_code(code).empty()) return std::nullopt;
    return read_keyed_row<Article>(db, "DEF_ART", "DEF_ART", article_key(business, code),
                                   article_from_row);
}

std::optional<ArticleStock> read_article_stock(data::Db& db, const std::string& business,
                                               const std::string& warehouse,
                                               const std::string& article) {
    return read_keyed_row<ArticleStock>(db, "ARTICULO", "ARTIC1",
                                        stock_key(business, article, warehouse), stock_from_row);
}

std::optional<Subline> read_subline(data::Db& db, const std::string& business,
                                    const std::string& line, const std::string& code) {
    if (normal_code(code).empty()) return std::nullopt;
    return read_keyed_row<Subline>(
        db, "SUB_LIN", "SUB_LIN",
        data::order_key("SUB_LIN", "SUB_LIN", {business, normal_code(line), normal_code(code)}),
        subline_from_row);
}

bool stock_checked(const Article& a, const std::optional<Subline>& s) {
    return s && s->check_stock && !a.no_stock_check;
}

}  // namespace qz::domain::pos
