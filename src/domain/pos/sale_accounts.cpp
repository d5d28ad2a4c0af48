#include "domain/pos/sale_accounts.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

std::string text(const data::WDBTable& t, const char* field) { return trim(t.str(field)); }

SalesAccounts sales_accounts_from_row(const data::WDBTable& t, bool with_cost) {
    SalesAccounts a;
    a.sales = text(t, "ASIENTO1");
    a.sales_credit = text(t, "ASIENTO1_D");
    a.exempt = text(t, "ASIENTO6");
    a.exempt_credit = text(t, "ASIENTO6_D");
    if (with_cost) a.cost = text(t, "ASIENTO2");
    return a;
}

// Every row of the article in a per-article table, in the order written.
template <class T, class Decode>
std::vector<T> article_rows(data::Db& db, const char* table, const std::string& business,
                            const std::string& article, Decode decode) {
    std::vector<T> out;
    for_code_rows(db, table, business, article,
                  [&](const data::WDBTable& t) { out.push_back(decode(t)); });
    return out;
}

ArticleShare share_from_row(const data::WDBTable& t, const char* value) {
    return {text(t, "LIGA"), t.num(value)};
}

std::string supplier_link(data::Db& db, const std::string& business, const std::string& code) {
    const auto link = read_code_row<std::string>(
        db, "PROVEE", business, code, [](const data::WDBTable& t) { return text(t, "LIGA_COM"); });
    return link.value_or("");
}

}  // namespace

std::string SalesAccounts::sales_link(bool credit_concept, bool exempt_line) const {
    const std::string& ex = credit_concept ? exempt_credit : exempt;
    if (exempt_line && !ex.empty()) return ex;
    return credit_concept ? sales_credit : sales;
}

SalesAccounts accounts_of(const Subline& s) {
    return {s.sales_link, s.sales_credit_link, s.exempt_link, s.exempt_credit_link, s.cost_link};
}

Brand brand_from_row(const data::WDBTable& t) {
    return {text(t, "CODIGO"), text(t, "DESCRIP"), sales_accounts_from_row(t, true)};
}

SalesGroupRow sales_group_from_row(const data::WDBTable& t) {
    return {text(t, "DEF_VENT"), text(t, "LINEA"), text(t, "SUBLINEA"),
            sales_accounts_from_row(t, false)};
}

std::optional<Brand> read_brand(data::Db& db, const std::string& business,
                                const std::string& code) {
    return read_code_row<Brand>(db, "MARCAS", business, code, brand_from_row);
}

std::optional<SalesGroupRow> read_sales_group(data::Db& db, const std::string& business,
                                              const std::string& group, const std::string& line,
                                              const std::string& subline) {
    if (normal_code(group).empty()) return std::nullopt;
    return read_keyed_row<SalesGroupRow>(
        db, "SL_VENTA", "SL_VENTA",
        data::order_key("SL_VENTA", "SL_VENTA",
                        {business, normal_code(group), normal_code(line), normal_code(subline)}),
        sales_group_from_row);
}

std::vector<ArticleShare> article_fixed_values(data::Db& db, const std::string& business,
                                               const std::string& article) {
    return article_rows<ArticleShare>(
        db, "DET_ART9", business, article,
        [](const data::WDBTable& t) { return share_from_row(t, "VALOR"); });
}

std::vector<ArticleShare> article_percent_shares(data::Db& db, const std::string& business,
                                                 const std::string& article) {
    return article_rows<ArticleShare>(
        db, "DET_ART2", business, article,
        [](const data::WDBTable& t) { return share_from_row(t, "PORCENT"); });
}

std::vector<ArticleCommission> article_commissions(data::Db& db, const std::string& business,
                                                   const std::string& article) {
    auto rows = article_rows<ArticleCommission>(
        db, "DET_ART8", business, article, [](const data::WDBTable& t) {
            return ArticleCommission{text(t, "PROVEEDOR"), "", t.num("M_COMIS")};
        });
    std::erase_if(rows, [](const ArticleCommission& c) { return c.supplier.empty(); });
    for (auto& c : rows) c.link = supplier_link(db, business, c.supplier);
    return rows;
}

}  // namespace qz::domain::pos
