// The accounting lines of a sale on each engine: every line through its article's own accounts,
// distribution rows, commissions, or its sub-line's, brand's or sales group's account; the
// document's receivable, tax, discount and cost of sales; the sides of credit concepts and the
// accounting-currency lines of complement concepts. Every voucher balances.
#include "domain/pos/sale_journal.h"

#include "data/transaction.h"
#include "sale_posting_fixture.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;
using namespace qz::test;

namespace {

SaleLine sale_line(const char* code, const char* q, const char* p, const char* d = "0",
                   const char* t = "0", const char* cost = "0") {
    SaleLine l;
    l.code = code;
    l.quantity = dec(q);
    l.price = dec(p);
    l.discount = dec(d);
    l.tax = dec(t);
    l.cost = dec(cost);
    return l;
}

}  // namespace

class SaleJournalTest : public SalePostingTest {
protected:
    void SetUp() override {
        SalePostingTest::SetUp();
        if (!db) return;
        const std::tuple<const char*, const char*, int> links[] = {
            {"V_ART", "4-09-01", 0},  {"V_SUB", "4-09-02", 0},  {"V_EX", "4-09-03", 0},
            {"V_GRP", "4-09-04", 0},  {"V_FIX", "4-09-05", 0},  {"V_PCT1", "4-09-06", 0},
            {"V_PCT2", "4-09-07", 0}, {"D_ART", "5-09-01", 1},  {"I_ART", "2-09-01", 0},
            {"COMIS", "5-09-02", 1},  {"CXP", "2-09-02", 0},    {"COSTO", "5-09-03", 1},
            {"COSTO2", "5-09-04", 1}, {"COSTO3", "5-09-05", 1}, {"INV_BOD", "1-09-01", 1},
            {"INV_CON", "1-09-02", 0}};
        for (const auto& [code, account, debit] : links) add_link(code, account, debit);
        article("ART-V", "L9", "S9", {{"HAB_V", 1}, {"HAB_D", 1}, {"HAB_I", 1}},
                {{"ASIENTO_V", "V_ART"}, {"ASIENTO_D", "D_ART"}, {"ASIENTO_I", "I_ART"}});
        article("ART-S", "L9", "S9");
        article("ART-T", "L9", "S8", {}, {{"MARCA", "B9"}});
        article("ART-D", "L9", "S9", {{"HAB_DET", 1}});
        subline("S9", "V_SUB", "V_EX", "COSTO");
        subline("S8", "V_SUB", "", "COSTO2");
        add_record(*db, "MARCAS",
                   {{"NEGOCIO", biz}, {"CODIGO", s("B9")}, {"ASIENTO2", s("COSTO3")}});
        add_record(*db, "BODEGAS",
                   {{"NEGOCIO", biz}, {"CODIGO", s("B9")}, {"ASIENTO1", s("INV_BOD")}});
        for (const auto& [supplier, link] : {std::pair{"P1", "COMIS"}, std::pair{"P2", "COMIS"}})
            add_record(*db, "PROVEE",
                       {{"NEGOCIO", biz}, {"CODIGO", s(supplier)}, {"LIGA_COM", s(link)}});
        const std::pair<const char*, const char*> commissions[] = {
            {"P1", "1.50"}, {"P2", "0.50"}, {"", "5.00"}};
        for (const auto& [supplier, amount] : commissions)
            add_record(*db, "DET_ART8",
                       {{"NEGOCIO", biz},
                        {"ARTICULO", s("ART-V")},
                        {"PROVEEDOR", s(supplier)},
                        {"M_COMIS", dec(amount)}});
        add_record(*db, "DET_ART9",
                   {{"NEGOCIO", biz},
                    {"ARTICULO", s("ART-D")},
                    {"LIGA", s("V_FIX")},
                    {"VALOR", dec("1.00")}});
        for (const auto& [link, pct] : {std::pair{"V_PCT1", "33.33"}, std::pair{"V_PCT2", "66.67"}})
            add_record(*db, "DET_ART2",
                       {{"NEGOCIO", biz},
                        {"ARTICULO", s("ART-D")},
                        {"LIGA", s(link)},
                        {"PORCENT", dec(pct)}});
        settings = read_ledger_settings(*db, "HOTEL");
        settings.sale.payable_link = "CXP";
        fa = *read_document_concept(*db, "HOTEL", "FA");
    }

    static std::string s(const char* v) { return v; }
    void article(const char* code, const char* line, const char* subline,
                 std::initializer_list<std::pair<const char*, int>> flags = {},
                 std::initializer_list<std::pair<const char*, const char*>> texts = {}) {
        add_record(*db, "DEF_ART",
                   {{"NEGOCIO", biz},
                    {"CODIGO", s(code)},
                    {"DESCRIP", s(code)},
                    {"LINEA", s(line)},
                    {"SUBLINEA", s(subline)}});
        edit_record(*db, "DEF_ART", "DEF_ART",
                    data::order_key("DEF_ART", "DEF_ART", {"HOTEL", code}), [&](data::WDBTable& t) {
                        for (const auto& [f, v] : flags) t.FieldPut(f, Decimal(v));
                        for (const auto& [f, v] : texts) t.FieldPut(f, s(v));
                    });
    }
    void subline(const char* code, const char* sales, const char* exempt, const char* cost) {
        add_record(*db, "SUB_LIN",
                   {{"NEGOCIO", biz},
                    {"LINEA", s("L9")},
                    {"CODIGO", s(code)},
                    {"ASIENTO1", s(sales)},
                    {"ASIENTO1_D", s(sales)},
                    {"ASIENTO6", s(exempt)},
                    {"ASIENTO6_D", s(exempt)},
                    {"ASIENTO2", s(cost)}});
    }

    // Posts `lines` as document `doc` of `concept_def` and returns the voucher's lines of it.
    std::vector<VoucherLine> post(const DocumentConcept& concept_def, const std::string& doc,
                                  const std::vector<SaleLine>& lines,
                                  const std::string& currency = "CO",
                                  const Decimal& rate = Decimal(1)) {
        data::Transaction tx(*db);
        ContaTransaction conta(*db, "HOTEL", "02", Date(2026, 5, 20), doc, {"SUP", "prueba"});
        SaleJournalContext ctx{"HOTEL",    &concept_def, &settings, currency, rate,  "CO",
                               Decimal(1), "B9",         customer,  group,    branch};
        SaleJournal j(*db, conta, ctx);
        j.begin_document(doc, "Cliente Prueba");
        SaleDocumentAmounts a{doc, "Cliente Prueba"};
        Decimal gross, tax, discount;
        for (const auto& l : lines) {
            j.post_line(l);
            gross += l.quantity * l.price;
            tax += l.quantity * l.price * l.tax / 100 * (100 - l.discount) / 100;
            discount += l.quantity * l.price * l.discount / 100;
        }
        a.tax = tax.round(2);
        a.discount = discount.round(2);
        a.balance = gross + a.tax - a.discount;
        j.post_document(a);
        conta.close();
        const std::string voucher = conta.voucher();
        tx.commit();
        return lines_of(voucher, doc);
    }

    const data::Value biz = std::string("HOTEL");
    LedgerSettings settings;
    DocumentConcept fa;
    std::string group, customer = "C-1", branch;
};

TEST_P(SaleJournalTest, EachLinePostsThroughItsAccountsAndTheDocumentBalances) {
    const auto lines = post(
        fa, "F-J1",
        {sale_line("ART-V", "2", "10.00", "10", "13"), sale_line("ART-S", "3", "0.333", "0", "13"),
         sale_line("ART-S", "1", "0.335"), sale_line("ART-D", "2", "5.00")});
    expect_balanced(lines);
    // The article's own accounts.
    EXPECT_EQ(line(lines, "4-09-01", "Ventas: F-J1 Cliente Prueba").credit, dec("20.00"));
    EXPECT_EQ(line(lines, "5-09-01", "Descuento: ").debit, dec("2.00"));
    EXPECT_EQ(line(lines, "2-09-01", "Impuesto: ").credit, dec("2.34"));
    // Two suppliers earn 1.50 and 0.50 a unit; a row without a supplier earns nothing.
    int commissions = 0;
    for (const auto& l : lines)
        if (l.description.rfind("Comisión: ", 0) == 0) {
            ++commissions;
            EXPECT_TRUE(l.debit == dec("3.00") || l.debit == dec("1.00"));
        }
    EXPECT_EQ(commissions, 2);
    EXPECT_EQ(line(lines, "2-09-02", "Tot.Comisión: ").credit, dec("4.00"));
    // Sub-line accounts: taxed and exempt lines apart, each rounded on its own.
    EXPECT_EQ(line(lines, "4-09-02", "V.(Gr): ").credit, dec("1.00"));
    EXPECT_EQ(line(lines, "4-09-03", "V.(Ex): ").credit, dec("0.34"));
    // Fixed value per unit first, then the rest by percentage, the last share the remainder.
    EXPECT_EQ(line(lines, "4-09-05", "Ventas: ").credit, dec("2.00"));
    EXPECT_EQ(line(lines, "4-09-06", "Ventas: ").credit, dec("2.67"));
    EXPECT_EQ(line(lines, "4-09-07", "Ventas: ").credit, dec("5.33"));
    // Receivable of the unrounded gross; the tax total less the article's, plus the rounding
    // of the sales lines (31.33 - 31.34); the discount went wholly to the article's account.
    EXPECT_EQ(line(lines, "1-02-01", "(T)CxC: F-J1 Cliente Prueba").debit, dec("31.80"));
    EXPECT_EQ(line(lines, "2-01-05", "(T)Impuesto: ").credit, dec("0.12"));
    EXPECT_FALSE(has_text(lines, "(T)Descuento: "));

    // Sales by customer: the sale's branch names the account.
    edit_record(*db, "DET_CLIE", "DET_CLIE7",
                data::order_key("DET_CLIE", "DET_CLIE7", {"HOTEL", "3101123456", "01"}),
                [](data::WDBTable& t) { t.FieldPut("ASIENTO1", std::string("V_ART")); });
    settings.sale.accounts_by = 2;
    customer = "3101123456";
    branch = "01";
    const auto by_customer = post(fa, "F-J4", {sale_line("ART-S", "1", "7.00")});
    EXPECT_EQ(line(by_customer, "4-09-01", "V.(Ex): ").credit, dec("7.00"));
    settings.sale.accounts_by = 0;

    // The register's sales group names its own account for the sub-line.
    add_record(*db, "SL_VENTA",
               {{"NEGOCIO", biz},
                {"DEF_VENT", s("G9")},
                {"LINEA", s("L9")},
                {"SUBLINEA", s("S9")},
                {"ASIENTO1", s("V_GRP")}});
    group = "G9";
    const auto grouped = post(fa, "F-J2", {sale_line("ART-S", "1", "50.00", "0", "13")});
    EXPECT_EQ(line(grouped, "4-09-04", "V.(Gr): ").credit, dec("50.00"));
    expect_balanced(grouped);
}

TEST_P(SaleJournalTest, CreditConceptsTurnEverySideAndComplementPostsInTheAccountingCurrency) {
    const DocumentConcept nc = *read_document_concept(*db, "HOTEL", "NC");
    const auto back = post(nc, "NC-J1", {sale_line("ART-S", "1", "100.00", "0", "13")});
    EXPECT_EQ(line(back, "4-09-02", "V.(Gr): ").debit, dec("100.00"));
    EXPECT_EQ(line(back, "2-01-05", "(T)Impuesto: ").debit, dec("13.00"));
    EXPECT_EQ(line(back, "1-02-01", "(T)CxC: ").credit, dec("113.00"));
    expect_balanced(back);

    // A dollar sale valued through the complement: everything in colones, the receivable at
    // its nominal amount and the rest of its value on the complement link.
    DocumentConcept c = fa;
    c.set_flag("COMPLEMENT", true);
    const auto dollars =
        post(c, "F-J3", {sale_line("ART-S", "1", "10.00", "0", "13")}, "US", dec("512.30"));
    for (const auto& l : dollars) EXPECT_EQ(l.currency, "CO") << l.description;
    EXPECT_EQ(line(dollars, "4-09-02", "V.(Gr): ").credit, dec("5123.00"));
    EXPECT_EQ(line(dollars, "2-01-05", "(T)Impuesto: ").credit, dec("665.99"));
    EXPECT_EQ(line(dollars, "1-02-01", "(T)CxC: ").debit, dec("11.30"));
    EXPECT_EQ(line(dollars, "1-02-02", "(C)CxC: ").debit, dec("5777.69"));
    expect_balanced(dollars);
}

TEST_P(SaleJournalTest, CostOfSalesAndTheConceptsThatSkipLines) {
    const std::vector<SaleLine> sold = {sale_line("ART-S", "2", "10.00", "0", "0", "2.50"),
                                        sale_line("ART-T", "2", "10.00", "0", "0", "1.255")};
    DocumentConcept c = fa;
    c.set_flag("C_C_VENTA", true);
    c.links[6] = "COSTO";
    c.links[7] = "INV_CON";

    // Inventory costing: per sub-line cost account, the warehouse's inventory gives the total.
    settings.sale.inventory_costing = true;
    auto lines = post(c, "F-C1", sold);
    EXPECT_EQ(line(lines, "5-09-03", "(T)Costo Venta: ").debit, dec("5.00"));
    EXPECT_EQ(line(lines, "5-09-04", "(T)Costo Venta: ").debit, dec("2.51"));
    EXPECT_EQ(line(lines, "1-09-01", "(T)Costo Inv: ").credit, dec("7.51"));
    expect_balanced(lines);
    // By brand: the second article's brand takes its cost; the first has none ("????").
    settings.sale.accounts_by = 1;
    lines = post(c, "F-C2", sold);
    EXPECT_EQ(line(lines, "5-09-05", "(T)Costo Venta: ").debit, dec("2.51"));
    EXPECT_EQ(line(lines, kMissingAccount, "(T)Costo Venta: ").debit, dec("5.00"));
    settings.sale.accounts_by = 0;

    // Without inventory costing: the concept's own pair.
    settings.sale.inventory_costing = false;
    lines = post(c, "F-C3", sold);
    EXPECT_EQ(line(lines, "5-09-03", "(T)Costo Venta: ").debit, dec("7.51"));
    EXPECT_EQ(line(lines, "1-09-02", "(T)Inventario: ").credit, dec("7.51"));
    expect_balanced(lines);

    // A sale at cost posts its pair instead of the cost of sales.
    c.set_flag("V_COSTO", true);
    lines = post(c, "F-C4", sold);
    EXPECT_FALSE(has_text(lines, "(T)Costo Venta: "));
    EXPECT_EQ(line(lines, "1-02-01", "(VC)CxC: ").debit, dec("40.00"));
    EXPECT_EQ(line(lines, "1-09-02", "(VC)Inventario: ").credit, dec("40.00"));
    c.set_flag("V_COSTO", false);
    c.set_flag("C_C_VENTA", false);

    // No receivable, tax or discount for a concept outside sales; a cash concept marked NO_CXC
    // keeps its tax but not its receivable.
    DocumentConcept none = fa;
    none.set_flag("NO_VENTA", true);
    lines = post(none, "F-C5", {sale_line("ART-S", "1", "10.00", "10", "13")});
    EXPECT_FALSE(has_text(lines, "(T)CxC: ") || has_text(lines, "(T)Impuesto: ") ||
                 has_text(lines, "(T)Descuento: "));
    DocumentConcept cash = fa;
    cash.set_flag("CANCELA", true);
    cash.set_flag("NO_CXC", true);
    lines = post(cash, "F-C6", {sale_line("ART-S", "1", "10.00", "10", "13")});
    EXPECT_FALSE(has_text(lines, "(T)CxC: "));
    EXPECT_EQ(line(lines, "2-01-05", "(T)Impuesto: ").credit, dec("1.17"));
    EXPECT_EQ(line(lines, "5-01-09", "(T)Descuento: ").debit, dec("1.00"));
}

INSTANTIATE_TEST_SUITE_P(Pos, SaleJournalTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
