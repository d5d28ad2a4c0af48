// What the sale screen reads besides the sale: the next number it previews for each kind of
// sale (never taking it), the order stages that call the workstation, and its pick lists.
#include "domain/pos/sale_screen_reads.h"

#include <gtest/gtest.h>

#include "domain/ledger/serials.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::add_record;
using qz::test::Engine;

namespace {

constexpr const char* kBiz = "HOTEL";

class SaleScreenReadsTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        ini = std::make_unique<IniFile>(inst->home() + "/QUARTZEN.INI");
        series("FACTURA", 41, "F");
        series("PEDIDOS", 7, "P");
        series("PROFORMAS", 2, "PR");
        series("LOCAL1", 900, "L");
        add_record(*db, "F_FAC",
                   {{"NEGOCIO", kBiz}, {"SERIAL_PED", "PEDIDOS"}, {"SERIAL_PRO", "PROFORMAS"}});
    }
    void series(const char* code, long last, const char* prefix) {
        add_record(*db, "SERIALES",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", code},
                    {"NUMERO", Decimal(last)},
                    {"PREFIJO", prefix},
                    {"INDENT", Decimal(6)}});
    }
    static domain::DocumentConcept concept_with(const char* serial, bool typed, bool local) {
        domain::DocumentConcept c;
        c.code = "FC";
        c.name = "Factura";
        c.series = serial;
        c.set_flag("LEE_SERIAL", typed);
        c.set_flag("SERI_LOCAL", local);
        return c;
    }
    std::string preview(SaleMode mode, const std::optional<domain::DocumentConcept>& c) {
        return preview_number(*db, kBiz, mode, c, ini.get());
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::unique_ptr<IniFile> ini;
};

TEST_P(SaleScreenReadsTest, ThePreviewFollowsTheKindOfSaleAndTakesNothing) {
    const auto invoice = concept_with("FACTURA", false, false);
    EXPECT_EQ(preview({}, invoice), "F000042");
    EXPECT_EQ(preview({}, invoice), "F000042") << "a preview never takes the number";
    EXPECT_EQ(domain::GET_NXSERIAL(*db, kBiz, "FACTURA").substr(0, 7), "F000042");
    EXPECT_EQ(preview({}, invoice), "F000043");

    EXPECT_EQ(preview({}, concept_with("FACTURA", true, false)), "") << "the cashier types it";
    EXPECT_EQ(preview({}, std::nullopt), "");
    EXPECT_EQ(preview({}, concept_with("NADA", false, false)), "") << "a missing series";
    // A workstation series comes from the settings file.
    EXPECT_EQ(preview({}, concept_with("", false, true)), "");
    ini->set("CONCEPT1", "CONCEPTOFC", "LOCAL1");
    EXPECT_EQ(preview({}, concept_with("", false, true)), "L000901");

    EXPECT_EQ(preview({SaleKind::Order, 0, ""}, invoice), "P000008");
    EXPECT_EQ(preview({SaleKind::Proforma, 0, ""}, invoice), "PR000003");
    EXPECT_EQ(preview({SaleKind::Proforma, kOrderFromProforma, "X"}, invoice), "P000008");
    // An order being invoiced, or a proforma being invoiced, numbers as an invoice.
    EXPECT_EQ(preview({SaleKind::Order, kInvoiceFromOrder, "P1"}, invoice), "F000043");
    EXPECT_EQ(preview({SaleKind::Proforma, kInvoiceFromProforma, "X"}, invoice), "F000043");
}

TEST_P(SaleScreenReadsTest, OnlyFollowedStagesHoldingOrdersCall) {
    add_record(*db, "ETAPAS_P", {{"NEGOCIO", kBiz}, {"CODIGO", "01"}, {"SONIDO", "NUEVO.WAV"}});
    add_record(*db, "ETAPAS_P", {{"NEGOCIO", kBiz}, {"CODIGO", "02"}, {"SONIDO", "LISTO.WAV"}});
    add_record(*db, "ETAPAS_P", {{"NEGOCIO", kBiz}, {"CODIGO", "03"}, {"SONIDO", "OTRO.WAV"}});
    add_record(*db, "ENC_PED", {{"NEGOCIO", kBiz}, {"DOCUMENTO", "P1"}, {"ETAPA", "01"}});
    add_record(*db, "ENC_PED", {{"NEGOCIO", kBiz}, {"DOCUMENTO", "P2"}, {"ETAPA", "03"}});
    add_record(*db, "ENC_PED", {{"NEGOCIO", "OTRO"}, {"DOCUMENTO", "P3"}, {"ETAPA", "02"}});
    EXPECT_TRUE(stages_calling(*db, kBiz, ini.get()).empty()) << "no stage followed";
    EXPECT_TRUE(stages_calling(*db, kBiz, nullptr).empty());
    ini->set("ETAPAS_P", "HOTEL01", "1");
    ini->set("ETAPAS_P", "HOTEL02", "1");
    ini->set("ETAPAS_P", "HOTEL03", "0");
    EXPECT_EQ(stages_calling(*db, kBiz, ini.get()), std::vector<std::string>{"NUEVO.WAV"})
        << "stage 02 holds only another business's order; 03 is not followed";
}

TEST_P(SaleScreenReadsTest, PickListsHoldTheBusinessCodesInOrder) {
    add_record(*db, "AGENTES", {{"NEGOCIO", kBiz}, {"CODIGO", "B2"}, {"NOMBRE", "Beatriz"}});
    add_record(*db, "AGENTES", {{"NEGOCIO", kBiz}, {"CODIGO", "A1"}, {"NOMBRE", "Ana"}});
    add_record(*db, "AGENTES", {{"NEGOCIO", "OTRO"}, {"CODIGO", "Z9"}, {"NOMBRE", "Zoe"}});
    add_record(*db, "BODEGAS", {{"NEGOCIO", kBiz}, {"CODIGO", "01"}, {"DESCRIP", "Principal"}});
    add_record(*db, "ENC_PREC", {{"NEGOCIO", kBiz}, {"CODIGO", "01"}, {"DESCRIP", "Público"}});
    add_record(*db, "MONEDAS", {{"NEGOCIO", kBiz}, {"CODIGO", "US"}, {"DESCRIP", "Dólares"}});
    add_record(*db, "CONCEPT1", {{"NEGOCIO", kBiz}, {"CONCEPTO", "FC"}, {"DESCRIP", "Factura"}});
    const SaleChoices c = LOAD_DATOS(*db, kBiz);
    ASSERT_EQ(c.agents.size(), 2u);
    EXPECT_EQ(c.agents[0].code, "A1");
    EXPECT_EQ(c.agents[1].name, "Beatriz");
    ASSERT_EQ(c.warehouses.size(), 1u);
    EXPECT_EQ(c.warehouses[0].name, "Principal");
    ASSERT_EQ(c.price_types.size(), 1u);
    ASSERT_EQ(c.currencies.size(), 1u);
    EXPECT_EQ(c.currencies[0].code, "US");
    ASSERT_EQ(c.concepts.size(), 1u);
    EXPECT_EQ(c.concepts[0].name, "Factura");
}

INSTANTIATE_TEST_SUITE_P(Engines, SaleScreenReadsTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

}  // namespace
