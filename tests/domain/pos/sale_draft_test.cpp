// The sale on the point-of-sale screen, headless: how its lines are priced, edited and checked,
// and how the running totals follow them.
#include "domain/pos/sale_draft.h"

#include <gtest/gtest.h>

#include "domain/pos/price_rules.h"
#include "domain/pos/sale_figures.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::add_record;
using qz::test::Engine;

namespace {

constexpr const char* kBiz = "HOTEL";
const Date kToday(2026, 6, 15);

SpecialPrice rule(const std::string& article, std::initializer_list<PriceTier> tiers) {
    SpecialPrice s;
    s.article = article;
    s.price_type = "01";
    size_t i = 0;
    for (const PriceTier& t : tiers) s.tiers[i++] = t;
    return s;
}

}  // namespace

TEST(SaleFiguresTest, ProposedPricesRoundAndTaxIncludedListsComeBackToTheirPrice) {
    EXPECT_EQ(round_proposed_price(10.50_d, 2), Decimal(10));
    EXPECT_EQ(round_proposed_price(10.51_d, 2), Decimal(11));
    EXPECT_EQ(round_proposed_price(10.50_d, 1), Decimal(11));
    EXPECT_EQ(round_proposed_price(10.50_d, 0), 10.50_d);
    // The rate and the list reduction come before the rounding.
    EXPECT_EQ(propose_unit_price(Decimal(20), Decimal(0), {0.5_d, Decimal(5), 2, false}),
              Decimal(9));  // 20 × 0.5 × 95 % = 9.50
}

class SaleDraftTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        inst->clock.freeze(DateTime{kToday, "10:00:00"});
        add_record(
            *db, "CONCEPT1",
            {{"NEGOCIO", kBiz}, {"CONCEPTO", "01"}, {"DETALLE", Decimal(1)}, {"TIPO", Decimal(1)}});
        add_record(*db, "MONEDAS", {{"NEGOCIO", kBiz}, {"CODIGO", "CO"}, {"SIMBOLO", "¢"}});
        add_record(*db, "BODEGAS", {{"NEGOCIO", kBiz}, {"CODIGO", "01"}});
        add_record(*db, "CLIENTES",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", "CONTADO"},
                    {"NOMBRE", "Contado"},
                    {"ESTADO", Decimal(1)}});
        price_type("01", false);
        price_type("02", true);
        add_record(*db, "SUB_LIN",
                   {{"NEGOCIO", kBiz},
                    {"LINEA", "SPA"},
                    {"CODIGO", "01"},
                    {"CHECK_E", Decimal(1)},
                    {"CHECK_D1", Decimal(1)},
                    {"CHECK_D2", Decimal(10)}});
        article("A", Decimal(0), Decimal(1), Decimal(100));
    }
    void settings(std::initializer_list<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, "F_FAC");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kBiz);
        for (const auto& [name, value] : fields) t->FieldPut(name, value);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    void price_type(const std::string& code, bool tax_included) {
        add_record(*db, "ENC_PREC",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", code},
                    {"MONEDA", "CO"},
                    {"IMP_INCL", Decimal(tax_included ? 1 : 0)}});
    }
    void article(const std::string& code, const Decimal& tax, const Decimal& suggested,
                 const Decimal& list, const std::string& type = "01") {
        add_record(*db, "DEF_ART",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", code},
                    {"DESCRIP", "Art " + code},
                    {"LINEA", "SPA"},
                    {"SUBLINEA", "01"},
                    {"IMP_ART", tax},
                    {"CANT_SUG", suggested},
                    {"TIPO", Decimal(1)}});
        add_record(*db, "DET_PREC",
                   {{"NEGOCIO", kBiz}, {"CODIGO", type}, {"ARTICULO", code}, {"PRECIO", list}});
        add_record(*db, "ARTICULO",
                   {{"NEGOCIO", kBiz},
                    {"ARTICULO", code},
                    {"BODEGA", "01"},
                    {"CANTIDAD", Decimal(50)},
                    {"ACTIVE", Decimal(1)}});
    }
    void special(const SpecialPrice& s) {
        data::Table t = data::USE(*db, "PRE_ESP1");
        data::ADD_NEW_REC(*t);
        put_special_price_row(*t, kBiz, s);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    SaleDraft& open(const std::string& type = "01") {
        draft = std::make_unique<SaleDraft>(*db, inst->port, kBiz, SaleMode{});
        RegisterDefaults reg;
        reg.pos = true;
        reg.customer = "CONTADO";
        reg.doc_concept = "01";
        reg.warehouse = "01";
        reg.currency = "CO";
        reg.price_type = type;
        draft->PARAMS_CAJA(reg);
        return *draft;
    }
    const std::vector<std::string>& messages() const { return inst->port.messages; }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<SaleDraft> draft;
};

TEST_P(SaleDraftTest, SpecialPricesFollowTheQuantityRuleByRuleDownToTheList) {
    settings({});
    SpecialPrice dated =
        rule("A", {{Decimal(1), Decimal(5), Decimal(80)}, {Decimal(6), Decimal(10), Decimal(70)}});
    dated.from = kToday.add_days(-1);
    dated.to = kToday.add_days(1);
    special(dated);
    SpecialPrice expired = rule("A", {{Decimal(1), Decimal(100), Decimal(10)}});
    expired.from = kToday.add_days(-30);
    expired.to = kToday.add_days(-1);
    special(expired);
    special(rule("A", {{Decimal(11), Decimal(20), Decimal(60)}}));
    SpecialPrice by_line = rule("", {{Decimal(21), Decimal(30), Decimal(10)}});
    by_line.line = "SPA";
    by_line.subline = "01";
    special(by_line);

    SaleDraft& d = open();
    ASSERT_TRUE(d.PROCESA_COD(0, "A").accepted);
    struct Case {
        int quantity;
        Decimal price;
        int rule;
    };
    for (const Case& c :
         {Case{5, Decimal(80), 1}, Case{6, Decimal(70), 1}, Case{11, Decimal(60), 2},
          Case{25, Decimal(90), 4}, Case{25, Decimal(90), 4}, Case{40, Decimal(100), 0}}) {
        ASSERT_TRUE(d.set_quantity(0, Decimal(c.quantity)));
        EXPECT_EQ(d.lines()[0].price, c.price) << c.quantity;
        EXPECT_EQ(d.lines()[0].special_rule, c.rule) << c.quantity;
    }
}

TEST_P(SaleDraftTest, ATypedPriceStaysWhateverTheQuantity) {
    settings({{"LEE_PRECIO", Decimal(1)}});
    special(rule("A", {{Decimal(6), Decimal(10), Decimal(70)}}));
    SaleDraft& d = open();
    d.PROCESA_COD(0, "A");
    ASSERT_TRUE(d.set_price(0, Decimal(95)));
    EXPECT_TRUE(d.lines()[0].manual);
    d.set_quantity(0, Decimal(6));
    EXPECT_EQ(d.lines()[0].price, Decimal(95));
    EXPECT_EQ(d.figures().invoiced, Decimal(570));
}

TEST_P(SaleDraftTest, DeletingTakesOutExactlyWhatTheLineAddedAndNeverTheLastRow) {
    settings({{"DET_OTROS", Decimal(1)}, {"CANT_FLETE", Decimal(1)}});
    article("B", Decimal(13), 1.5_d, 33.33_d);
    SaleDraft& d = open();
    d.PROCESA_COD(0, "A");
    const SaleFigures before = d.figures();
    d.PROCESA_COD(1, "B");
    d.set_discount(1, 7.5_d);
    d.set_others(1, 2.35_d, 1.10_d);
    ASSERT_NE(d.figures(), before);
    ASSERT_EQ(d.lines().size(), 3u);

    d.delete_line(2);
    EXPECT_EQ(d.lines().size(), 3u);
    d.delete_line(1);
    EXPECT_EQ(d.figures(), before);
    EXPECT_EQ(d.lines().size(), 2u);
    EXPECT_TRUE(d.lines().back().empty());
}

TEST_P(SaleDraftTest, ScanningAnArticleAgainAddsItsSuggestedQuantityToItsLine) {
    settings({{"RECICLA_C", Decimal(1)}, {"ROUND_C", Decimal(1)}});
    article("C", Decimal(0), 2.4_d, Decimal(10));
    SaleDraft& d = open();
    d.PROCESA_COD(0, "C");
    const CodeResult again = d.PROCESA_COD(1, "C");
    EXPECT_EQ(again.row, 0u);
    ASSERT_EQ(d.lines().size(), 2u);
    EXPECT_EQ(d.lines()[0].quantity, Decimal(4));
    EXPECT_TRUE(d.lines()[1].empty());
    EXPECT_EQ(d.figures().invoiced, Decimal(40));
}

TEST_P(SaleDraftTest, ATaxIncludedListPriceIsWhatTheLineComesTo) {
    settings({});
    article("T", Decimal(13), Decimal(1), Decimal(113), "02");
    SaleDraft& d = open("02");
    d.PROCESA_COD(0, "T");
    EXPECT_EQ(d.lines()[0].price, Decimal(100));
    EXPECT_EQ(d.lines()[0].total, Decimal(113));
    EXPECT_EQ(d.figures().tax, Decimal(13));
}

TEST_P(SaleDraftTest, APercentageRuleComesOffTheArticlesPrice) {
    settings({});
    SpecialPrice pct = rule("A", {{Decimal(1), Decimal(99), Decimal(15)}});
    pct.percent = true;
    special(pct);
    SaleDraft& d = open();
    d.PROCESA_COD(0, "A");
    EXPECT_EQ(d.lines()[0].price, Decimal(85));
    d.set_quantity(0, Decimal(2));  // pricing again takes it off once, not twice
    EXPECT_EQ(d.lines()[0].price, Decimal(85));
}

TEST_P(SaleDraftTest, LineChecksMendTheLineAndSayWhy) {
    settings({});
    SaleDraft& d = open();
    d.PROCESA_COD(0, "A");
    EXPECT_FALSE(d.set_discount(0, Decimal(15)));
    EXPECT_EQ(d.lines()[0].discount, Decimal(10));
    EXPECT_EQ(messages().back(),
              "Atención: El Descuento es mayor al autorizado. Artículo: A:Art A");

    // Two lines of one article draw on the same 50 units.
    d.set_quantity(0, Decimal(30));
    d.insert_line(1);
    d.set_discount(0, Decimal(0));
    ASSERT_TRUE(d.PROCESA_COD(1, "A").accepted);
    EXPECT_FALSE(d.set_quantity(1, Decimal(21)));
    EXPECT_EQ(d.lines()[1].quantity, Decimal(0));
    EXPECT_EQ(messages().back(),
              "Atención: No hay suficientes existencias. Disponible:          20.00");

    EXPECT_FALSE(d.set_quantity(0, Decimal(0)));
    EXPECT_EQ(d.lines()[0].quantity, Decimal(30));
    EXPECT_FALSE(d.PROCESA_COD(1, "NADA").accepted);
    EXPECT_EQ(messages().back(), "Error: Este Código no se encuentra.");
    EXPECT_TRUE(d.lines()[1].empty());
}

TEST_P(SaleDraftTest, TakingTheRegisterSetsTheTermLocksAndCostOnlyExemption) {
    settings({{"PLAZO_CL", Decimal(1)}});
    add_record(*db, "CONCEPT1",
               {{"NEGOCIO", kBiz},
                {"CONCEPTO", "02"},
                {"DETALLE", Decimal(1)},
                {"PLAZO", Decimal(30)},
                {"CANCELA", Decimal(1)}});
    add_record(
        *db, "CLIENTES",
        {{"NEGOCIO", kBiz}, {"CODIGO", "EMPRESA"}, {"NOMBRE", "Empresa"}, {"ESTADO", Decimal(1)}});
    add_record(*db, "DET_CLIE",
               {{"NEGOCIO", kBiz},
                {"CLIENTE", "EMPRESA"},
                {"CODIGO", "1"},
                {"PRINCIPAL", "S"},
                {"DIRECCION", "San José"},
                {"IND_DIAS", Decimal(1)},
                {"MAX_DIAS", Decimal(45)}});
    add_record(*db, "ENC_PREC",
               {{"NEGOCIO", kBiz}, {"CODIGO", "09"}, {"MONEDA", "CO"}, {"SOLO_COSTO", Decimal(1)}});
    draft = std::make_unique<SaleDraft>(*db, inst->port, kBiz, SaleMode{});
    RegisterDefaults reg;
    reg.pos = true;
    reg.customer = "EMPRESA";
    reg.doc_concept = "01";
    reg.price_type = "09";
    reg.lock_customer = true;
    reg.blocked[static_cast<size_t>(SaleButton::Discounts)] = true;
    draft->PARAMS_CAJA(reg);
    SaleDraft& d = *draft;

    EXPECT_EQ(d.header().term_days, 45);
    EXPECT_EQ(d.plan()[0].days, 45);
    EXPECT_EQ(d.header().contact[kAddress], "San José");
    EXPECT_TRUE(d.header().exempt);
    d.EXENTO(false);
    EXPECT_TRUE(d.header().exempt);
    EXPECT_FALSE(d.PROCE_CLIENTE("CONTADO"));
    EXPECT_EQ(d.header().customer, "EMPRESA");
    EXPECT_FALSE(d.button_enabled(SaleButton::Discounts));
    EXPECT_TRUE(d.button_enabled(SaleButton::SaveToOrder));

    // A cash concept keeps its own term.
    ASSERT_TRUE(d.PROCE_CONCEPTO("02"));
    EXPECT_EQ(d.header().term_days, 30);
}

INSTANTIATE_TEST_SUITE_P(Engines, SaleDraftTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
