// Generating regular invoices on each engine: a document per regular document with its period,
// lines, journal and advanced cut-off; inactive customers passed over; the emissions of a
// customer run; refusals that write nothing; a run that fails midway keeping exactly what it
// finished; documents built from a template.
#include "domain/regular/regular_generation.h"

#include "regular_fixture.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::regular;
using namespace qz::test;

namespace {

const char* const kAgency = "3101123456";
const char* const kInactive = "3101998877";
const char* const kCompany = "3102654321";

// A wait window whose cancel is pressed once `after` documents were asked about.
class CancellingPort : public ScriptedPort {
public:
    explicit CancellingPort(int after) : m_after(after) {}
    std::unique_ptr<WaitWindow> wait(const std::string&) override {
        struct Window : WaitWindow {
            int left;
            explicit Window(int n) : left(n) {}
            void put_text(const std::string&) override {}
            void progress(long, long) override {}
            bool cancelled() override { return left-- <= 0; }
        };
        return std::make_unique<Window>(m_after);
    }

private:
    int m_after;
};

}  // namespace

class RegularGenerationTest : public RegularFixture {};

TEST_P(RegularGenerationTest, GeneratesTheDocumentOfEachRegularDocument) {
    settings_field("TXT_REGULA", Decimal(1));
    add_regular(901, kAgency, {{"MAS001", "2", "45000.00"}});
    RegularDocument hours = add_regular(902, kCompany, {{"MAS001", "1", "1000.00"}});
    hours.extra_data = true;
    hours.hours = amount("3");
    hours.days = amount("2");
    write_regular_document(*db, kRegBiz, hours);

    const RunResult r = run(request());
    ASSERT_EQ(r.documents.size(), 2u)
        << (inst->port.messages.empty() ? "" : inst->port.messages.back());
    EXPECT_FALSE(r.stopped);

    const GeneratedDocument& first = r.documents[0];
    data::Table t = document(first.number);
    EXPECT_EQ(trim(t->str("CLIENTE")), kAgency);
    EXPECT_EQ(trim(t->str("DESCRIP")), "MAYO DE 2026 Mensualidad 901");
    EXPECT_EQ(trim(t->str("REMISION")), "0000000901");
    EXPECT_EQ(trim(t->str("MODULO")), "2");
    EXPECT_EQ(t->date("FECHA"), kRegDay);
    EXPECT_EQ(t->date("VENCE"), kRegDay + 30);  // the concept's term
    EXPECT_EQ(t->num("MONTO"), amount("90000.00"));
    EXPECT_EQ(t->num("SALDO"), amount("90000.00"));
    EXPECT_EQ(quantities(first.number), std::vector<Decimal>{amount("2")});
    EXPECT_EQ(cut_off(901), Date(2026, 6, 1));

    // Hours and days scale the quantities, and the amount follows the lines.
    EXPECT_EQ(quantities(r.documents[1].number), std::vector<Decimal>{amount("6")});
    EXPECT_EQ(document(r.documents[1].number)->num("MONTO"), amount("6000.00"));

    // Each document's postings balance by themselves.
    for (const auto& d : r.documents) {
        const auto [debit, credit] = postings(d.number);
        EXPECT_GT(debit, Decimal(0)) << d.number;
        EXPECT_EQ(debit, credit) << d.number;
    }
}

TEST_P(RegularGenerationTest, PassesOverInactiveCustomersAndLateCutOffs) {
    add_regular(901, kInactive, {{"MAS001", "1", "45000.00"}});
    add_regular(902, kAgency, {{"MAS001", "1", "45000.00"}}, Date(2026, 6, 1));
    const long before = rows("DOCUMENT");

    RunResult r = run(request());
    EXPECT_TRUE(r.documents.empty());
    EXPECT_EQ(r.skipped, 2);
    // Only the late cut-off is told; the inactive customer is passed over in silence.
    ASSERT_EQ(inst->port.messages.size(), 1u);
    EXPECT_NE(inst->port.messages[0].find("tiene fecha de corte superior al día de Aplicación: "
                                          "01/06/2026"),
              std::string::npos);
    EXPECT_EQ(rows("DOCUMENT"), before);
    EXPECT_EQ(cut_off(901), Date(2026, 5, 1));

    // Without the validation the late one is generated.
    auto q = request(RunMode::Marked);
    q.marked = {902};
    q.validate_cut_off = false;
    r = run(q);
    EXPECT_EQ(r.documents.size(), 1u);
    EXPECT_EQ(cut_off(902), Date(2026, 7, 1));
}

TEST_P(RegularGenerationTest, CustomerRunBillsEveryEmissionAtOnce) {
    add_regular(901, kAgency, {{"MAS001", "1", "45000.00"}}, Date(2026, 11, 15));
    add_regular(902, kCompany, {{"MAS001", "1", "45000.00"}});
    auto q = request(RunMode::Customer);
    q.customer = kAgency;
    q.emissions = 3;
    q.validate_cut_off = false;

    const RunPreview p = preview_run(*db, kRegBiz, q);
    EXPECT_EQ(p.count, 1);
    EXPECT_EQ(p.total(q.emissions), amount("135000.00"));

    const RunResult r = run(q);
    ASSERT_EQ(r.documents.size(), 1u);
    EXPECT_EQ(r.documents[0].amount, amount("135000.00"));
    EXPECT_EQ(quantities(r.documents[0].number), std::vector<Decimal>{amount("3")});
    EXPECT_EQ(cut_off(901), Date(2027, 2, 15));
    EXPECT_EQ(cut_off(902), Date(2026, 5, 1));  // another customer's
}

TEST_P(RegularGenerationTest, RefusedConceptsWriteNothing) {
    add_regular(901, kAgency, {{"MAS001", "1", "45000.00"}}, Date(2026, 5, 1), "ZZ");
    add_regular(902, kCompany, {{"MAS001", "1", "45000.00"}});
    edit_record(*db, "CONCEPT1", "CONCEPT1",
                data::order_key("CONCEPT1", "CONCEPT1", {kRegBiz, "FA"}),
                [](data::WDBTable& t) { t.FieldPut("LEE_SERIAL", Decimal(1)); });
    const long before = rows("DOCUMENT");
    const long lines_before = rows("DET_DOC");

    const RunResult r = run(request());
    EXPECT_TRUE(r.documents.empty());
    EXPECT_EQ(r.skipped, 2);
    ASSERT_EQ(inst->port.messages.size(), 2u);
    EXPECT_NE(inst->port.messages[0].find("El concepto de facturación no se encuentra (1)..."),
              std::string::npos);
    EXPECT_NE(
        inst->port.messages[1].find("Documento definido con consecutivo definible manualmente\n"
                                    "No se va a generar el documento"),
        std::string::npos);
    EXPECT_EQ(rows("DOCUMENT"), before);
    EXPECT_EQ(rows("DET_DOC"), lines_before);
    EXPECT_EQ(cut_off(901), Date(2026, 5, 1));
    EXPECT_EQ(cut_off(902), Date(2026, 5, 1));
}

TEST_P(RegularGenerationTest, RunFailingMidwayKeepsWhatItFinished) {
    add_regular(901, kAgency, {{"MAS001", "1", "45000.00"}});
    add_regular(902, kCompany, {{"MAS001", "1", "45000.00"}});
    // Five units of an article the warehouse holds two of: its stock refuses the third.
    add_regular(903, kAgency, {{"MAS001", "1", "45000.00"}, {"ACE003", "5", "6000.00"}});
    add_regular(904, kCompany, {{"MAS001", "1", "45000.00"}});
    const long before = rows("DOCUMENT");
    const long lines_before = rows("DET_DOC");

    const RunResult r = run(request());
    EXPECT_TRUE(r.stopped);
    EXPECT_FALSE(r.failure.empty());
    ASSERT_EQ(r.documents.size(), 2u);
    EXPECT_EQ(rows("DOCUMENT"), before + 2);
    EXPECT_EQ(rows("DET_DOC"), lines_before + 2);
    EXPECT_EQ(cut_off(901), Date(2026, 6, 1));
    EXPECT_EQ(cut_off(902), Date(2026, 6, 1));
    EXPECT_EQ(cut_off(903), Date(2026, 5, 1));
    EXPECT_EQ(cut_off(904), Date(2026, 5, 1));
    // The finished documents' postings stayed with them, balanced.
    for (const auto& d : r.documents) {
        const auto [debit, credit] = postings(d.number);
        EXPECT_GT(debit, Decimal(0)) << d.number;
        EXPECT_EQ(debit, credit) << d.number;
    }
}

TEST_P(RegularGenerationTest, CancelStopsBeforeTheNextDocument) {
    add_regular(901, kAgency, {{"MAS001", "1", "45000.00"}});
    add_regular(902, kCompany, {{"MAS001", "1", "45000.00"}});
    CancellingPort port(1);
    const RunResult r = PROCESAR(*db, port, kRegBiz, request());
    EXPECT_TRUE(r.stopped);
    ASSERT_EQ(r.documents.size(), 1u);
    EXPECT_EQ(cut_off(901), Date(2026, 6, 1));
    EXPECT_EQ(cut_off(902), Date(2026, 5, 1));
}

TEST_P(RegularGenerationTest, TemplateBillsTheRegularDocumentsCustomer) {
    Model tmpl = model("CUOTA-SPA", "CONTADO", {{"MAS001", "2", "40000.00"}});
    write_model(*db, kTemplates, kRegBiz, tmpl);
    RegularDocument d = add_regular(901, kAgency, {{"MAS001", "1", "1.00"}});
    d.kind = 1;
    d.template_code = "CUOTA-SPA";
    write_regular_document(*db, kRegBiz, d);
    RegularDocument missing = add_regular(902, kCompany, {{"MAS001", "1", "1.00"}});
    missing.kind = 1;
    missing.template_code = "NO-EXISTE";
    write_regular_document(*db, kRegBiz, missing);

    RunResult r = run(request());
    ASSERT_EQ(r.documents.size(), 1u);
    data::Table t = document(r.documents[0].number);
    EXPECT_EQ(trim(t->str("CLIENTE")), kAgency);
    EXPECT_EQ(t->num("MONTO"), amount("80000.00"));
    EXPECT_EQ(trim(t->str("REMISION")), "CUOTA-SPA");
    EXPECT_EQ(inst->port.messages.back(), "Atencion: No se encuentra la plantilla: NO-EXISTE");

    // A template chosen for the run serves every document, whatever its own kind.
    auto q = request(RunMode::Marked);
    q.marked = {902};
    q.template_code = "CUOTA-SPA";
    q.validate_cut_off = false;
    r = run(q);
    ASSERT_EQ(r.documents.size(), 1u);
    EXPECT_EQ(trim(document(r.documents[0].number)->str("CLIENTE")), kCompany);
}

INSTANTIATE_TEST_SUITE_P(Regular, RegularGenerationTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
