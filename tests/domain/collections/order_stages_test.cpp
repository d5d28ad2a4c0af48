// Order stages on the demonstration business: the credit control with its grace days, the
// authoriser's permissions and the branch's limit; approval, the way back from the invoiced
// stage, conversion, and an annulment that gives back exactly what the order's lines held.
#include "domain/collections/order_stages.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/collections/collection_stages.h"
#include "domain/collections/stage_moves.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL", kCustomer = "CLI-ORD";
const Date kToday(2026, 5, 20);

}  // namespace

class OrderStagesTest : public qz::test::DemoLedgerTest {
protected:
    void SetUp() override {
        DemoLedgerTest::SetUp();
        if (IsSkipped()) return;
        struct Row {
            const char* code;
            int credit, invoice;
        };
        for (const Row& st : {Row{"P010", 1, 0}, Row{"P020", 0, 0}, Row{"P030", 1, 1},
                              Row{"P090", 1, 0}, Row{"P099", 1, 0}})
            add("ETAPAS_P", {{"CODIGO", std::string(st.code)},
                             {"DESCRIP", std::string("Etapa ") + st.code},
                             {"CTRL_CRED", Decimal(st.credit)},
                             {"PEDI_FACT", Decimal(st.invoice)}});
        edit("F_FAC", {kHotel}, [](data::WDBTable& t) {
            t.FieldPut("ETAP_FACT", std::string("P090"));
            t.FieldPut("ETAP_FACT2", std::string("P030"));
            t.FieldPut("ETAP_ANUL", std::string("P099"));
            t.FieldPut("ETAP_ANUL2", std::string("P010"));
            t.FieldPut("D_GRACIA", Decimal(5));
            t.FieldPut("M_LIMITE", std::string("CO"));
        });
        add("DET_CLIE",
            {{"CLIENTE", kCustomer}, {"CODIGO", std::string("")}, {"LIMITE", Decimal(100000)}});
        add("ENC_PED", {{"DOCUMENTO", std::string("PD-001")},
                        {"CLIENTE", kCustomer},
                        {"ETAPA", std::string("P010")}});
        add("ENC_PED2", {{"DOCUMENTO", std::string("PD-001")}});
        add("DET_PED", {{"DOCUMENTO", std::string("PD-001")},
                        {"CODIGO", std::string("ORD-A")},
                        {"BODEGA", std::string("01")},
                        {"CANTIDAD", Decimal(3)}});
        add("DET_PED", {{"DOCUMENTO", std::string("PD-001")},
                        {"CODIGO", std::string("ORD-B")},
                        {"BODEGA", std::string("01")},
                        {"CANTIDAD", Decimal::parse("1.5")}});
        for (const char* art : {"ORD-A", "ORD-B"})
            add("ARTICULO", {{"ARTICULO", std::string(art)},
                             {"BODEGA", std::string("01")},
                             {"BLOQUEO", Decimal(10)}});
        who.code = "JEF";
        who.name = "Gerente";
        who.stages_authorise = stage_list({"P010", "P020", "P030", "P090", "P099"});
        who.days_permitted = 10;
        who.credit_permitted = Decimal(50000);
    }

    void add(const char* table, std::vector<std::pair<const char*, data::Value>> fields) {
        data::Table t = data::USE(*db, table);
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", kHotel);
        for (const auto& [name, value] : fields) t->FieldPut(name, value);
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*db, t);
    }
    void edit(const char* table, std::initializer_list<data::KeyValue> key,
              const std::function<void(data::WDBTable&)>& change) {
        qz::test::edit_record(*db, table, table, data::order_key(table, table, key), change);
    }

    // A charge of `amount` with one instalment due `due_days_ago` days ago, `paid` of it paid.
    void charge(const char* number, const char* amount, long due_days_ago, const char* paid = "0") {
        const Decimal total = Decimal::parse(amount);
        add("DOCUMENT", {{"DOCUMENTO", std::string(number)},
                         {"CLIENTE", kCustomer},
                         {"CONCEPTO", std::string("ZZ")},
                         {"MONEDA", std::string("CO")},
                         {"MONTO", total},
                         {"SALDO", total - Decimal::parse(paid)},
                         {"FECHA", kToday - 60}});
        add("DOC_PARC", {{"DOCUMENTO", std::string(number)},
                         {"FECHA", kToday - due_days_ago},
                         {"MONTO", total}});
    }

    OrderMoveRequest request(const char* stage) {
        OrderMoveRequest r;
        r.business = kHotel;
        r.stage = stage;
        r.order = "PD-001";
        r.authoriser = who;
        r.user = "SUP";
        r.date = kToday;
        r.time = "11:00:00";
        return r;
    }

    std::string stage_of() {
        data::Table t = data::USE(*db, "ENC_PED", "ENC_PED");
        EXPECT_TRUE(t->Seek(data::order_key("ENC_PED", "ENC_PED", {kHotel, "PD-001"})));
        const std::string out = trim(t->str("ETAPA"));
        data::KILLTABLA(*db, t);
        return out;
    }
    Decimal held(const char* article) {
        data::Table t = data::USE(*db, "ARTICULO", "ARTIC1");
        EXPECT_TRUE(t->Seek(data::order_key("ARTICULO", "ARTIC1", {kHotel, article, "01"})));
        const Decimal out = t->num("BLOQUEO");
        data::KILLTABLA(*db, t);
        return out;
    }

    StageAuthoriser who;
};

TEST_P(OrderStagesTest, OverdueInstalmentsCountOnlyPastTheirGraceDays) {
    charge("D-1", "30000", 4);  // within the 5 grace days
    EXPECT_EQ(order_overdue(*db, kHotel, kCustomer, kToday).amount, Decimal(0));
    charge("D-2", "20000", 12, "5000");  // 7 days past its grace, 15,000 unpaid
    const OverdueFigures f = order_overdue(*db, kHotel, kCustomer, kToday);
    EXPECT_EQ(f.amount, Decimal(15000));
    EXPECT_EQ(f.days, 7);
    EXPECT_EQ(f.currency, "CO");
}

TEST_P(OrderStagesTest, TheCreditControlWeighsPermissionsThenTheLimit) {
    charge("D-2", "60000", 12);  // 60,000 overdue: above the 50,000 the authoriser may accept
    // Into P020, a credit-control stage: refused; nothing moved.
    auto out = move_order_forward(*db, kOrderWorkflow, request("P010"));
    EXPECT_FALSE(out.moved);
    EXPECT_EQ(out.message, kOverdueRefusal);
    EXPECT_EQ(stage_of(), "P010");
    EXPECT_FALSE(approve_order_credit(*db, kOrderWorkflow, request("P010")).moved);

    who.credit_permitted = Decimal(200000);
    edit("DET_CLIE", {kHotel, kCustomer},
         [](data::WDBTable& t) { t.FieldPut("LIMITE", Decimal(50000)); });
    // The authoriser may accept it, but the branch's limit is below what is overdue.
    EXPECT_EQ(move_order_forward(*db, kOrderWorkflow, request("P010")).message, kOverdueRefusal);
    // An approval does not weigh the limit.
    out = approve_order_credit(*db, kOrderWorkflow, request("P010"));
    ASSERT_TRUE(out.moved) << out.message;
    EXPECT_EQ(stage_of(), "P020");
    // Out of P020 into P030, which is no credit-control stage: the limit is not weighed.
    out = move_order_forward(*db, kOrderWorkflow, request("P020"));
    ASSERT_TRUE(out.moved) << out.message;
    EXPECT_EQ(stage_of(), "P030");
}

TEST_P(OrderStagesTest, InvoicedOrdersGoBackWhereTheBusinessSaysAndConversionNeedsItsStage) {
    EXPECT_EQ(order_conversion_refusal(*db, kOrderWorkflow, kHotel, "P010").value_or(""),
              kStageAllowsNoInvoice);
    EXPECT_FALSE(order_conversion_refusal(*db, kOrderWorkflow, kHotel, "P030"));
    edit("ENC_PED", {kHotel, "PD-001"},
         [](data::WDBTable& t) { t.FieldPut("ETAPA", std::string("P090")); });
    EXPECT_EQ(move_order_forward(*db, kOrderWorkflow, request("P090")).message, kStageAllowsNoNext);
    EXPECT_EQ(annul_order(*db, kOrderWorkflow, request("P090")).message, kStageAllowsNoAnnul);
    auto back = request("P090");
    back.reason = "Factura anulada";
    const auto out = move_order_back(*db, kOrderWorkflow, back);
    ASSERT_TRUE(out.moved) << out.message;
    EXPECT_EQ(stage_of(), "P030");  // ETAP_FACT2, not P020 before it by code
    const auto history = stage_history(*db, kOrderWorkflow, kHotel, "PD-001");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].reason, "Factura anulada");
    EXPECT_EQ(move_order_back(*db, kOrderWorkflow, request("P010")).message, kNoEarlierStage);
    auto unchosen = request("P030");
    unchosen.order = "";
    EXPECT_EQ(move_order_back(*db, kOrderWorkflow, unchosen).message, kNoOrderChosenBack);
}

TEST_P(OrderStagesTest, AnAnnulledOrderGivesBackExactlyWhatItsLinesHeld) {
    const auto out = annul_order(*db, kOrderWorkflow, request("P010"));
    ASSERT_TRUE(out.moved) << out.message;
    EXPECT_EQ(stage_of(), "P099");
    EXPECT_EQ(held("ORD-A"), Decimal(7));
    EXPECT_EQ(held("ORD-B"), Decimal::parse("8.5"));
    data::Table t = data::USE(*db, "ENC_PED", "ENC_PED");
    ASSERT_TRUE(t->Seek(data::order_key("ENC_PED", "ENC_PED", {kHotel, "PD-001"})));
    EXPECT_EQ(trim(t->str("ANULADO")), "PD-001-A");
    EXPECT_EQ(t->date("F_ANULA"), kToday);
    data::KILLTABLA(*db, t);
    EXPECT_EQ(annul_order_question("PD-001"), "¿Desea Borrar el pedido: PD-001?");
}

TEST_P(OrderStagesTest, ProformasMoveTheSameWayAndAreConvertedOnce) {
    for (const char* code : {"R010", "R020", "R080", "R090", "R099"})
        add("ETAP_PRO", {{"CODIGO", std::string(code)},
                         {"DESCRIP", std::string(code)},
                         {"CTRL_CRED", Decimal(1)}});
    edit("F_FAC", {kHotel}, [](data::WDBTable& t) {
        t.FieldPut("PROF_PED", std::string("R080"));
        t.FieldPut("PROF_FACT", std::string("R090"));
        t.FieldPut("PROF_ANUL", std::string("R099"));
    });
    add("ENC_PROF", {{"DOCUMENTO", std::string("PF-001")},
                     {"CLIENTE", kCustomer},
                     {"ETAPA", std::string("R010")}});
    add("ENC_PRO2", {{"DOCUMENTO", std::string("PF-001")}});
    add("DET_PROF", {{"DOCUMENTO", std::string("PF-001")},
                     {"CODIGO", std::string("ORD-A")},
                     {"BODEGA", std::string("01")},
                     {"CANTIDAD", Decimal(2)}});
    who.stages_authorise = stage_list({"R010", "R020"});
    auto r = request("R010");
    r.order = "PF-001";
    ASSERT_TRUE(move_order_forward(*db, kProformaWorkflow, r).moved);
    EXPECT_FALSE(order_conversion_refusal(*db, kProformaWorkflow, kHotel, "R020"));
    for (const char* done : {"R080", "R090", "R099"})
        EXPECT_EQ(order_conversion_refusal(*db, kProformaWorkflow, kHotel, done).value_or(""),
                  kProformaAllowsNoConversion);
    r.stage = "R020";
    ASSERT_TRUE(annul_order(*db, kProformaWorkflow, r).moved);
    EXPECT_EQ(held("ORD-A"), Decimal(10));  // a proforma holds no stock back
    EXPECT_EQ(stage_history(*db, kProformaWorkflow, kHotel, "PF-001").size(), 2u);
    EXPECT_TRUE(stage_history(*db, kOrderWorkflow, kHotel, "PF-001").empty());
}

INSTANTIATE_TEST_SUITE_P(Collections, OrderStagesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
