// Document concepts of the demonstration business: a concept is saved with its print bindings
// and term plan in one go, a mistaken reference or plan writes nothing, a new code follows the
// concept into its documents, sets and references, and a concept documents use stays.
#include "domain/ledger/concepts.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/concept_sets.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";

DocumentConcept new_concept(const std::string& code) {
    DocumentConcept c;
    c.code = code;
    c.name = "Factura de Eventos";
    c.term_days = 15;
    c.opposite = "NC";
    c.series = "FACTURA";
    c.payment_concept = "AB";
    c.payment_method = "CR";
    c.report_currency = "CO";
    c.late_rate = Decimal::parse("2.5");
    c.max_lines = 40;
    c.set_flag("SHOW", true);
    c.set_flag("IMP_AGENTE", true);
    c.texts[6] = "Hotel Quartzen";  // TITULO_TQ1
    return c;
}

TermRow term(int days, const char* percent) { return {days, Decimal::parse(percent), {}}; }

ConceptBinding binding(const char* currency, int type, int copies = 1) {
    ConceptBinding b;
    b.currency = currency;
    b.doc_type = type;
    b.copies = copies;
    return b;
}

}  // namespace

class ConceptsTest : public qz::test::DemoLedgerTest {
protected:
    std::string field_of(const std::string& table, const std::string& order,
                         std::initializer_list<data::KeyValue> key, const std::string& field) {
        data::Table t = data::USE(*db, table, order);
        std::string out = "?";
        if (t->Seek(data::order_key(table, order, key))) out = trim(t->str(field));
        data::KILLTABLA(*db, t);
        return out;
    }
    bool save(const std::string& old_code, const DocumentConcept& c,
              const std::vector<ConceptBinding>& b = {}, const std::vector<TermRow>& p = {}) {
        return save_document_concept(*db, inst->port, kHotel, old_code, c, b, p, &problem);
    }
    ConceptProblem problem;
};

TEST_P(ConceptsTest, AConceptIsSavedWithItsBindingsAndPlanAndReadBackWhole) {
    auto c = new_concept("ev");
    c.set_flag("CUOTAS", true);
    ASSERT_TRUE(
        save("", c, {binding("CO", 0, 2), binding("US", 0)}, {term(30, "50"), term(60, "50")}))
        << said();
    const auto stored = read_document_concept(*db, kHotel, "EV");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->name, "Factura de Eventos");
    EXPECT_EQ(stored->late_rate, Decimal::parse("2.5"));
    EXPECT_TRUE(stored->flag("IMP_AGENTE"));
    EXPECT_TRUE(stored->flag("CUOTAS"));
    EXPECT_FALSE(stored->flag("DETALLE"));
    EXPECT_EQ(stored->texts[6], "Hotel Quartzen");
    EXPECT_EQ(read_term_plan(*db, kHotel, "EV"),
              (std::vector<TermRow>{term(30, "50"), term(60, "50")}));

    // The editor hands back its rows: one changed, one gone, one new. The unchanged-in-place
    // row keeps its record; the deleted one is gone.
    auto rows = read_bindings(*db, kHotel, "EV");
    ASSERT_EQ(rows.size(), 2u);
    const long colones = rows[0].source;
    rows[0].copies = 3;
    rows.erase(rows.begin() + 1);
    rows.push_back(binding("US", 1));
    ASSERT_TRUE(save("EV", *stored, rows, read_term_plan(*db, kHotel, "EV")));
    const auto now = read_bindings(*db, kHotel, "EV");
    ASSERT_EQ(now.size(), 2u);
    EXPECT_EQ(now[0].source, colones);
    EXPECT_EQ(now[0].copies, 3);
    EXPECT_EQ(now[1].currency, "US");
    EXPECT_EQ(now[1].doc_type, 1);
}

TEST_P(ConceptsTest, TheWorkCopyHandsBackItsRowsWithTheirSources) {
    auto c = new_concept("EV");
    ASSERT_TRUE(save("", c, {binding("CO", 0), binding("US", 0)}));
    const auto stored = read_bindings(*db, kHotel, "EV");
    data::Table copy = data::USE(*db, "TMP_CON1.DBF", "TMP_CON1");
    fill_binding_copy(*copy, kHotel, "EV", stored);
    EXPECT_EQ(bindings_of_copy(*copy), stored);
    data::KILLTABLA(*db, copy);
}

TEST_P(ConceptsTest, MistakesAreRefusedOnTheirFieldAndWriteNothing) {
    const auto refused = [&](const DocumentConcept& c, const std::vector<ConceptBinding>& b,
                             const std::vector<TermRow>& p, const char* field) {
        EXPECT_FALSE(save("", c, b, p));
        EXPECT_EQ(problem.field, field) << said();
        EXPECT_EQ(problem.text, said());
        EXPECT_FALSE(read_document_concept(*db, kHotel, c.code)) << field;
    };
    auto c = new_concept("fa");
    EXPECT_FALSE(save("", c));
    EXPECT_EQ(said(), kDocConceptDuplicate);
    EXPECT_EQ(read_document_concept(*db, kHotel, "FA")->name, "Factura Crédito");

    c.code = "EV";
    c.term_days = -1;
    refused(c, {}, {}, "PLAZO");
    c.term_days = 15;
    for (auto [field, member] : {std::pair{"OPUESTO", &DocumentConcept::opposite},
                                 std::pair{"SERIAL2", &DocumentConcept::pending_series},
                                 std::pair{"ABONO_DEF", &DocumentConcept::payment_concept},
                                 std::pair{"ABONO_BLO", &DocumentConcept::receipt_block},
                                 std::pair{"T_MOV_DEF", &DocumentConcept::payment_method},
                                 std::pair{"MON_REP", &DocumentConcept::report_currency},
                                 std::pair{"COD_DIFF", &DocumentConcept::diff_type}}) {
        auto wrong = c;
        wrong.*member = "ZZ";
        refused(wrong, {}, {}, field);
        EXPECT_NE(said().find("ZZ no existe"), std::string::npos) << said();
    }
    auto unlinked = c;
    unlinked.links[2] = "NO-EXISTE";  // ASIENTO4
    refused(unlinked, {}, {}, "ASIENTO4");

    // A default payment concept of the other class would refuse every document at payment.
    auto credit = c;
    credit.stock_entry = 1;
    refused(credit, {}, {}, "ABONO_DEF");

    refused(c, {binding("ZZ", 0)}, {}, "DET_CON1");
    refused(c, {binding("CO", 0), binding("co", 0)}, {}, "DET_CON1");
    auto unformatted = binding("CO", 0);
    unformatted.format = "Q9";
    refused(c, {unformatted}, {}, "DET_CON1");
    auto unprinted = binding("CO", 0);
    unprinted.printer2 = "Q9";
    refused(c, {unprinted}, {}, "DET_CON1");

    auto instalments = c;
    instalments.set_flag("CUOTAS", true);
    refused(instalments, {}, {term(30, "40"), term(60, "40")}, "CUOTAS");
    refused(instalments, {}, {}, "CUOTAS");
    refused(instalments, {}, {term(-30, "100")}, "DET_CON2");
    // Shares are exact: thirds written to three places add up to the whole.
    EXPECT_TRUE(
        save("", instalments, {}, {term(30, "33.333"), term(60, "33.333"), term(90, "33.334")}))
        << said();
    // Without instalments the plan is kept as typed; the same currency may print two types.
    c.code = "EX";
    EXPECT_TRUE(save("", c, {binding("CO", 0), binding("CO", 1)}, {term(30, "40")})) << said();
}

TEST_P(ConceptsTest, ANewCodeFollowsTheConceptIntoEveryRecordThatKeepsIt) {
    test::add_record(*db, "DOCUMENT",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string("F00099")},
                      {"CONCEPTO", std::string("NC")}});
    test::add_record(*db, "PDOCUMEN",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string("P00001")},
                      {"CONCEPTO", std::string("NC")}});
    auto nc = *read_document_concept(*db, kHotel, "NC");
    ASSERT_TRUE(save("NC", nc, {binding("CO", 0)}, {term(0, "100")}));
    nc.code = "NN";
    ASSERT_TRUE(save("NC", nc, read_bindings(*db, kHotel, "NC"), read_term_plan(*db, kHotel, "NC")))
        << said();
    EXPECT_FALSE(read_document_concept(*db, kHotel, "NC"));
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kHotel, "F00099"}, "CONCEPTO"), "NN");
    EXPECT_EQ(field_of("PDOCUMEN", "DOCUMENT", {kHotel, "P00001"}, "CONCEPTO"), "NN");
    EXPECT_EQ(set_members(*db, kHotel, "NOTAS"), (std::vector<std::string>{"ND", "NN"}));
    EXPECT_EQ(read_document_concept(*db, kHotel, "FC")->opposite, "NN");
    EXPECT_EQ(read_bindings(*db, kHotel, "NN").size(), 1u);
    EXPECT_EQ(read_term_plan(*db, kHotel, "NN").size(), 1u);
    EXPECT_TRUE(read_bindings(*db, kHotel, "NC").empty());

    // The new code of another concept is refused and nothing moves.
    nc.code = "ND";
    EXPECT_FALSE(save("NN", nc));
    EXPECT_EQ(said(), kDocConceptDuplicate);
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kHotel, "F00099"}, "CONCEPTO"), "NN");
}

TEST_P(ConceptsTest, ACodeChangeThatMeetsAHeldDocumentChangesNothing) {
    test::add_record(*db, "DOCUMENT",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string("F00099")},
                      {"CONCEPTO", std::string("NC")}});
    auto other = inst->open();
    data::Table held = data::USE(*other, "DOCUMENT", "DOCUMENT");
    ASSERT_TRUE(held->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kHotel, "F00099"})));
    ASSERT_TRUE(held->RLock());
    db->patience = std::chrono::milliseconds(50);
    db->poll_interval = std::chrono::milliseconds(10);
    auto nc = *read_document_concept(*db, kHotel, "NC");
    nc.code = "NN";
    nc.name = "Nota renombrada";
    EXPECT_FALSE(save("NC", nc));
    EXPECT_EQ(said(), kRecodeAborted);
    held->Unlock();
    data::KILLTABLA(*other, held);
    // Neither the concept nor anything that names it moved.
    EXPECT_EQ(read_document_concept(*db, kHotel, "NC")->name, "Nota de Crédito");
    EXPECT_FALSE(read_document_concept(*db, kHotel, "NN"));
    EXPECT_EQ(field_of("DOCUMENT", "DOCUMENT", {kHotel, "F00099"}, "CONCEPTO"), "NC");
    EXPECT_EQ(read_document_concept(*db, kHotel, "FC")->opposite, "NC");
    EXPECT_EQ(set_members(*db, kHotel, "NOTAS"), (std::vector<std::string>{"ND", "NC"}));
}

TEST_P(ConceptsTest, AConceptInUseStaysAndAFreeOneLeavesWithItsRows) {
    auto& port = inst->port;
    test::add_record(*db, "DOCUMENT",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string("F00100")},
                      {"CONCEPTO", std::string("FP")}});
    EXPECT_FALSE(delete_document_concept(*db, port, kHotel, "FP"));
    EXPECT_NE(said().find("documentos"), std::string::npos) << said();
    // NC annuls FC, FA and ND: it stays while they name it.
    EXPECT_FALSE(delete_document_concept(*db, port, kHotel, "NC"));
    EXPECT_TRUE(read_document_concept(*db, kHotel, "NC"));

    ASSERT_TRUE(save("", new_concept("EV"), {binding("CO", 0)}, {term(30, "100")}));
    ASSERT_TRUE(add_set_member(*db, port, kHotel, "VENTAS", "EV"));
    port.answer = false;
    EXPECT_FALSE(delete_document_concept(*db, port, kHotel, "EV"));
    EXPECT_TRUE(read_document_concept(*db, kHotel, "EV"));
    port.answer = true;
    ASSERT_TRUE(delete_document_concept(*db, port, kHotel, "EV"));
    EXPECT_FALSE(read_document_concept(*db, kHotel, "EV"));
    EXPECT_TRUE(read_bindings(*db, kHotel, "EV").empty());
    EXPECT_TRUE(read_term_plan(*db, kHotel, "EV").empty());
    EXPECT_EQ(set_members(*db, kHotel, "VENTAS"), (std::vector<std::string>{"FC", "FA", "FP"}));
}

TEST_P(ConceptsTest, SetsTakeEachConceptOnceAndKeepTheirMembersThroughARename) {
    auto& port = inst->port;
    EXPECT_FALSE(save_concept_set(*db, port, kHotel, "", {"ventas", "Otra"}));
    EXPECT_EQ(said(), kSetDuplicate);
    ASSERT_TRUE(save_concept_set(*db, port, kHotel, "", {"spa", "Ventas del Spa"}));
    ASSERT_TRUE(add_set_member(*db, port, kHotel, "SPA", "fc"));
    EXPECT_FALSE(add_set_member(*db, port, kHotel, "SPA", "FC"));
    EXPECT_NE(said().find("ya pertenece"), std::string::npos) << said();
    EXPECT_FALSE(add_set_member(*db, port, kHotel, "SPA", "ZZ"));
    ASSERT_TRUE(add_set_member(*db, port, kHotel, "SPA", "FP"));

    EXPECT_FALSE(save_concept_set(*db, port, kHotel, "SPA", {"NOTAS", "Ventas del Spa"}));
    EXPECT_EQ(said(), kSetDuplicate);
    ASSERT_TRUE(save_concept_set(*db, port, kHotel, "SPA", {"SPA_VTA", "Ventas del Spa"}));
    EXPECT_TRUE(set_members(*db, kHotel, "SPA").empty());
    EXPECT_EQ(set_members(*db, kHotel, "SPA_VTA"), (std::vector<std::string>{"FC", "FP"}));

    ASSERT_TRUE(remove_set_member(*db, port, kHotel, "SPA_VTA", "FC"));
    EXPECT_EQ(set_members(*db, kHotel, "SPA_VTA"), (std::vector<std::string>{"FP"}));
    // Another set's membership of the same concept is untouched.
    EXPECT_EQ(set_members(*db, kHotel, "VENTAS"), (std::vector<std::string>{"FC", "FA", "FP"}));
    ASSERT_TRUE(delete_concept_set(*db, port, kHotel, "SPA_VTA"));
    EXPECT_EQ(concept_sets(*db, kHotel).size(), 2u);
    EXPECT_TRUE(set_members(*db, kHotel, "SPA_VTA").empty());
}

INSTANTIATE_TEST_SUITE_P(Ledger, ConceptsTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
