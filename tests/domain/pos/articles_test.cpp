// Finding an article the way a cashier types or scans it, and what its warehouse row and
// sub-line tell a sale.
#include "domain/pos/articles.h"

#include <gtest/gtest.h>

#include "data/table_ops.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::Engine;

namespace {

constexpr const char* kBiz = "HOTEL";

template <class Row, class Put>
void put(data::Db& db, const char* table, const Row& row, Put put_row) {
    data::Table t = data::USE(db, table);
    data::ADD_NEW_REC(*t);
    put_row(*t, kBiz, row);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

class ArticlesTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
    }
    void article(const std::string& code, const std::string& alt, const std::string& sub = "") {
        Article a;
        a.code = code;
        a.alt_code = alt;
        a.name = "Artículo " + code;
        a.line = "SPA";
        a.subline = sub;
        put(*db, "DEF_ART", a, put_article_row);
    }
    std::optional<FoundArticle> find(const std::string& typed) {
        return find_article(*db, kBiz, typed);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(ArticlesTest, ACodeIsTriedAsArticleThenBarCodeThenAlternativeCode) {
    article("ACE01", "LAV-100");
    article("CRE01", "");
    article("779001", "");  // an article whose code is also printed as another's bar code
    put(*db, "BARRAS", BarCode{"7790011", "ACE01"}, put_bar_code_row);
    put(*db, "BARRAS", BarCode{"779001", "CRE01"}, put_bar_code_row);
    put(*db, "BARRAS", BarCode{"LAV-200", "GONE"}, put_bar_code_row);
    article("BAT01", "LAV-200");

    auto f = find("ace01 ");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->article.code, "ACE01");
    EXPECT_EQ(f->match, ArticleMatch::Code);
    f = find("7790011");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->article.code, "ACE01");
    EXPECT_EQ(f->match, ArticleMatch::BarCode);
    f = find("lav-100");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->article.code, "ACE01");
    EXPECT_EQ(f->match, ArticleMatch::AlternativeCode);
    // The article's own code wins over a bar code of the same text.
    EXPECT_EQ(find("779001")->article.code, "779001");
    // A bar code of an article that no longer exists does not hide the alternative code.
    f = find("LAV-200");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->article.code, "BAT01");
    EXPECT_EQ(f->match, ArticleMatch::AlternativeCode);
    // Articles without an alternative code are not found by a blank one.
    EXPECT_FALSE(find(""));
    EXPECT_FALSE(find("   "));
    EXPECT_FALSE(find("NADA"));
    EXPECT_FALSE(find("ACE0"));  // a prefix of a code names nothing
}

TEST_P(ArticlesTest, WarehouseRowsAndSublineChecksDecideWhatASaleMayTake) {
    article("ACE01", "", "ACEI");
    ArticleStock s{"ACE01", "01", Decimal::parse("4.5"), Decimal(2), Decimal::parse("12.3456")};
    put(*db, "ARTICULO", s, put_stock_row);
    s.warehouse = "02";
    s.active = false;
    put(*db, "ARTICULO", s, put_stock_row);

    const auto main = read_article_stock(*db, kBiz, "01", "ace01");
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->active);
    EXPECT_EQ(main->quantity, Decimal::parse("4.5"));
    EXPECT_EQ(main->reserved, Decimal(2));
    EXPECT_EQ(main->average_cost, Decimal::parse("12.3456"));
    const auto closed = read_article_stock(*db, kBiz, "02", "ACE01");
    ASSERT_TRUE(closed);
    EXPECT_FALSE(closed->active);
    EXPECT_FALSE(read_article_stock(*db, kBiz, "03", "ACE01"));

    Subline checked{"SPA", "ACEI", "Aceites"};
    checked.check_stock = true;
    checked.no_lower_price = true;
    put(*db, "SUB_LIN", checked, put_subline_row);
    const auto sub = read_subline(*db, kBiz, "spa", "acei");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->check_stock);
    EXPECT_TRUE(sub->no_lower_price);
    EXPECT_FALSE(sub->no_raise_price);
    EXPECT_FALSE(read_subline(*db, kBiz, "SPA", ""));

    Article a = *read_article(*db, kBiz, "ACE01");
    EXPECT_TRUE(stock_checked(a, sub));
    EXPECT_FALSE(stock_checked(a, std::nullopt));
    a.no_stock_check = true;
    EXPECT_FALSE(stock_checked(a, sub));
}

TEST_P(ArticlesTest, EveryFieldOfAnArticleSurvivesItsRow) {
    Article a;
    a.code = "bata01";
    a.name = "Bata de baño";
    a.tax = Decimal(13);
    a.line = "SPA";
    a.subline = "ROPA";
    a.check_discount = true;
    a.max_discount = Decimal(10);
    a.ticket = true;
    a.alt_code = "b-1";
    a.brand = "QZ";
    a.stocked = true;
    a.suggested_quantity = Decimal(2);
    a.average_cost = Decimal::parse("15000.1234");
    a.invoice_text = "Bata blanca talla única";
    a.read_text = a.read_price = a.no_stock_check = true;
    a.post_sales = a.post_split = a.post_discount = a.post_tax = true;
    a.sales_link = "VENTAS";
    a.discount_link = "DESC";
    a.tax_link = "IMP";
    put(*db, "DEF_ART", a, put_article_row);
    const auto r = read_article(*db, kBiz, "BATA01");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->code, "BATA01");
    EXPECT_EQ(r->alt_code, "B-1");
    EXPECT_EQ(r->name, a.name);
    EXPECT_EQ(r->tax, a.tax);
    EXPECT_EQ(r->subline, "ROPA");
    EXPECT_EQ(r->brand, "QZ");
    EXPECT_TRUE(r->check_discount && r->ticket && r->stocked && r->read_text && r->read_price);
    EXPECT_TRUE(r->no_stock_check && r->post_sales && r->post_split && r->post_discount &&
                r->post_tax);
    EXPECT_EQ(r->max_discount, a.max_discount);
    EXPECT_EQ(r->suggested_quantity, a.suggested_quantity);
    EXPECT_EQ(r->average_cost, a.average_cost);
    EXPECT_EQ(r->invoice_text, a.invoice_text);
    EXPECT_EQ(r->sales_link + r->discount_link + r->tax_link, "VENTASDESCIMP");
}

INSTANTIATE_TEST_SUITE_P(Pos, ArticlesTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
