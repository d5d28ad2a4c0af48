// The maintenance of regular invoices: set codes are unique and a set holding documents is not
// deleted, a regular document is checked before it is written and deleted with its own model in
// one transaction, the preview bills each document at its model's amount, and a model is saved with
// totals worked out from its lines.
#include "domain/regular/regular_maintenance.h"

#include <gtest/gtest.h>

#include "domain/regular/regular_maintenance_model.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::regular;
using qz::test::add_record;
using qz::test::Engine;

namespace {

const std::string kBiz = "HOTEL";

class RegularMaintenanceTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        add_record(*db, "CLIENTES",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", std::string("C1")},
                    {"NOMBRE", std::string("Gimnasio Central")}});
        ASSERT_TRUE(add_regular_set(*db, inst->port, kBiz, {"memb", "Membresías"}));
    }
    RegularDocument document() const {
        RegularDocument d;
        d.set = "MEMB";
        d.customer = "C1";
        d.name = "Gimnasio Central";
        d.description = "Membresía mensual";
        d.cut_off = Date(2026, 6, 1);
        return d;
    }
    Model model(const std::string& number, const char* amount) const {
        Model m;
        m.header.number = number;
        m.header.amount = Decimal::parse(amount);
        ModelLine l;
        l.code = "MEMB01";
        l.quantity = Decimal(1);
        l.price = Decimal::parse(amount);
        m.lines = {l, l};
        m.instalments = {{30, Decimal::parse(amount), Decimal()}};
        return m;
    }
    std::string last_message() const {
        if (inst->port.messages.empty()) return "";
        const std::string& m = inst->port.messages.back();
        return m.substr(m.find(": ") + 2);
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(RegularMaintenanceTest, SetCodesAreUniqueAndASetWithDocumentsStays) {
    EXPECT_FALSE(add_regular_set(*db, inst->port, kBiz, {"MEMB ", "Otra"}));
    EXPECT_EQ(last_message(), kSetTaken);
    EXPECT_EQ(read_regular_set(*db, kBiz, "MEMB")->description, "Membresías");
    EXPECT_FALSE(add_regular_set(*db, inst->port, kBiz, {"", "Sin código"}));
    EXPECT_TRUE(modify_regular_set(*db, inst->port, kBiz, {"MEMB", "Membresías del gimnasio"}));
    EXPECT_EQ(read_regular_set(*db, kBiz, "MEMB")->description, "Membresías del gimnasio");

    ASSERT_GT(save_regular_document(*db, inst->port, kBiz, document()), 0);
    EXPECT_FALSE(delete_regular_set(*db, inst->port, kBiz, "MEMB"));
    EXPECT_EQ(last_message(), kSetHasDocuments);
    EXPECT_TRUE(read_regular_set(*db, kBiz, "MEMB"));

    ASSERT_TRUE(add_regular_set(*db, inst->port, kBiz, {"CORP", "Contratos"}));
    inst->port.answer = false;
    EXPECT_FALSE(delete_regular_set(*db, inst->port, kBiz, "CORP"));
    EXPECT_TRUE(read_regular_set(*db, kBiz, "CORP")) << "kept when the question is declined";
    inst->port.answer = true;
    EXPECT_TRUE(delete_regular_set(*db, inst->port, kBiz, "CORP"));
    EXPECT_FALSE(read_regular_set(*db, kBiz, "CORP"));
}

TEST_P(RegularMaintenanceTest, ARegularDocumentIsCheckedBeforeItIsWritten) {
    RegularDocument d = document();
    d.customer = "NADIE";
    EXPECT_EQ(save_regular_document(*db, inst->port, kBiz, d), 0);
    EXPECT_EQ(last_message(), std::string(kRegularCustomerMissing) + "NADIE");
    d = document();
    d.kind = 1;
    d.template_code = "T1";
    EXPECT_EQ(save_regular_document(*db, inst->port, kBiz, d), 0);
    EXPECT_EQ(last_message(), std::string(kRegularTemplateMissing) + "T1");
    d = document();
    d.ranges = true;
    d.range_from = 16;
    d.range_to = 32;
    EXPECT_EQ(save_regular_document(*db, inst->port, kBiz, d), 0);
    EXPECT_EQ(last_message(), kRegularBadDay);
    d = document();
    d.set = "NADA";
    EXPECT_EQ(save_regular_document(*db, inst->port, kBiz, d), 0);
    EXPECT_TRUE(set_documents(*db, kBiz, "MEMB").empty());

    const long first = save_regular_document(*db, inst->port, kBiz, document());
    const long second = save_regular_document(*db, inst->port, kBiz, document());
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    d = *read_regular_document(*db, kBiz, second);
    d.description = "Membresía familiar";
    EXPECT_EQ(save_regular_document(*db, inst->port, kBiz, d), second);
    EXPECT_EQ(read_regular_document(*db, kBiz, second)->description, "Membresía familiar");
    EXPECT_EQ(set_documents(*db, kBiz, "MEMB").size(), 2U) << "a change adds no document";
}

TEST_P(RegularMaintenanceTest, ThePreviewBillsEachDocumentAtItsModelsAmount) {
    RegularDocument own = document();
    own.code = save_regular_document(*db, inst->port, kBiz, own);
    write_model(*db, kRegularModels, kBiz, model(own.model_number(), "25000.00"));
    write_model(*db, kTemplates, kBiz, model("T1", "18000.50"));
    RegularDocument shared = document();
    shared.kind = 1;
    shared.template_code = "T1";
    shared.code = save_regular_document(*db, inst->port, kBiz, shared);
    RegularDocument bare = document();
    bare.code = save_regular_document(*db, inst->port, kBiz, bare);

    const auto rows = PFAC_REG(*db, kBiz, "MEMB");
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[0].amount, Decimal::parse("25000.00"));
    EXPECT_EQ(rows[1].amount, Decimal::parse("18000.50"));
    EXPECT_EQ(rows[2].amount, Decimal()) << "no model yet";
    EXPECT_EQ(rows[0].customer, "C1");
    EXPECT_EQ(rows[0].cut_off, Date(2026, 6, 1));
}

TEST_P(RegularMaintenanceTest, DeletingADocumentTakesItsOwnModelAllOrNothing) {
    test::FaultConnection* fault = nullptr;
    auto faulty = inst->open(nullptr, [&](std::unique_ptr<data::Connection> c) {
        auto f = std::make_unique<test::FaultConnection>(std::move(c));
        fault = f.get();
        return f;
    });
    RegularDocument d = document();
    d.code = save_regular_document(*db, inst->port, kBiz, d);
    write_model(*db, kRegularModels, kBiz, model(d.model_number(), "25000.00"));
    auto r = test::run_fault_loop(
        *faulty, *db, *fault, test::FaultConnection::Mode::FailNth,
        {"FAC_REG", "ENC_REG", "DET_REG", "RF_PLAZO"},
        [&] { return delete_regular_document(*faulty, inst->port, kBiz, d.code); });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);
    EXPECT_FALSE(read_regular_document(*db, kBiz, d.code));
    EXPECT_FALSE(read_model(*db, kRegularModels, kBiz, d.model_number()));
}

TEST_P(RegularMaintenanceTest, ATemplateHasAFreeCodeAndStaysWhileADocumentIsBuiltFromIt) {
    EXPECT_FALSE(new_template(*db, inst->port, kBiz, "  ", "Sin código"));
    EXPECT_EQ(last_message(), kTemplateCodeBlank);
    const auto fresh = new_template(*db, inst->port, kBiz, "memb-ind", "Membresía individual");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->header.number, "MEMB-IND");
    write_model(*db, kTemplates, kBiz, model("MEMB-IND", "15000.00"));
    EXPECT_FALSE(new_template(*db, inst->port, kBiz, "MEMB-IND", "Otra"));
    EXPECT_EQ(last_message(), kTemplateTaken);

    RegularDocument d = document();
    d.kind = 1;
    d.template_code = "MEMB-IND";
    d.code = save_regular_document(*db, inst->port, kBiz, d);
    EXPECT_FALSE(delete_template(*db, inst->port, kBiz, "MEMB-IND"));
    EXPECT_EQ(last_message(), kTemplateInUse);
    EXPECT_TRUE(read_model(*db, kTemplates, kBiz, "MEMB-IND"));

    d.kind = 0;
    ASSERT_GT(save_regular_document(*db, inst->port, kBiz, d), 0);
    EXPECT_TRUE(delete_template(*db, inst->port, kBiz, "MEMB-IND"));
    EXPECT_FALSE(read_model(*db, kTemplates, kBiz, "MEMB-IND"));
}

INSTANTIATE_TEST_SUITE_P(Engines, RegularMaintenanceTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

}  // namespace

namespace {

class RegularModelTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        add_record(*db, "CONCEPT1",
                   {{"NEGOCIO", kBiz},
                    {"CONCEPTO", std::string("FA")},
                    {"DESCRIP", std::string("Factura")}});
        add_record(*db, "DEF_ART",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", std::string("MEMB01")},
                    {"DESCRIP", std::string("Membresía")}});
    }
    Model model() const {
        RegularDocument d;
        d.code = 7;
        d.customer = "C1";
        Model m = regular_model(*db, kBiz, d);
        m.header.concept_code = "FA";
        ModelLine l;
        l.code = "MEMB01";
        l.quantity = Decimal(2);
        l.price = Decimal::parse("100.00");
        l.discount = Decimal(10);
        l.tax = Decimal(13);
        m.lines = {l};
        return m;
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(RegularModelTest, AModelIsSavedWithTotalsWorkedOutFromItsLines) {
    Model m = model();
    EXPECT_EQ(m.header.number, "0000000007");
    EXPECT_EQ(m.header.customer, "C1");
    m.header.amount = Decimal(1);  // whatever was stored before
    ASSERT_TRUE(save_model(*db, inst->port, kRegularModels, kBiz, m));
    const auto stored = read_model(*db, kRegularModels, kBiz, "0000000007");
    ASSERT_TRUE(stored);
    // 200 gross, 20 discount, 13% of the discounted 180 = 23.40.
    EXPECT_EQ(stored->header.gross, Decimal(200));
    EXPECT_EQ(stored->header.amount, Decimal::parse("203.40"));
    EXPECT_EQ(stored->header.balance, Decimal::parse("203.40"));
}

TEST_P(RegularModelTest, AModelWithUnknownCodesOrAPlanThatDoesNotAddUpIsRefused) {
    Model m = model();
    m.header.concept_code = "XX";
    EXPECT_FALSE(save_model(*db, inst->port, kRegularModels, kBiz, m));
    m = model();
    m.lines[0].code = "NADA";
    EXPECT_FALSE(save_model(*db, inst->port, kRegularModels, kBiz, m));
    m = model();
    m.lines[0].quantity = Decimal(0);
    EXPECT_FALSE(save_model(*db, inst->port, kRegularModels, kBiz, m));
    m = model();
    m.instalments = {{30, Decimal(100), Decimal()}};
    EXPECT_FALSE(save_model(*db, inst->port, kTemplates, kBiz, m));
    EXPECT_EQ(inst->port.messages.size(), 4U);
    EXPECT_FALSE(read_model(*db, kRegularModels, kBiz, "0000000007"));
    m.instalments = {{30, Decimal(100), Decimal()}, {60, Decimal::parse("103.40"), Decimal()}};
    EXPECT_TRUE(save_model(*db, inst->port, kTemplates, kBiz, m));
}

INSTANTIATE_TEST_SUITE_P(Engines, RegularModelTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

}  // namespace
