// The credit control's rules: which keys a branch's figures ask for, the keys themselves, and
// the single use of pre-authorisations and remote answers, also against a second workstation.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "customer_fixture.h"
#include "domain/customers/credit_authorisations.h"
#include "domain/ledger/rates.h"
#include "domain/session/pass_code.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class CreditTest : public test::CustomerTest {
protected:
    void SetUp() override {
        test::CustomerTest::SetUp();
        if (IsSkipped()) return;
        auto f = new_form("C1", "Cliente C1");
        f.branches[0].branch.limit = Decimal(1000);
        ASSERT_TRUE(save(f)) << said();
        put("CONCEPT1", {{"CONCEPTO", "FC"}, {"TIPO", Decimal(1)}});
        put("CONCEPT1", {{"CONCEPTO", "NC"}, {"TIPO", Decimal(0)}});
        put("F_FAC", {{"D_GRACIA", Decimal(0)}});
    }
    void doc(const std::string& number, const char* concept_code, int amount, int balance,
             Date instalment = Date(), const char* currency = "CR") {
        put("DOCUMENT", {{"DOCUMENTO", number},
                         {"CONCEPTO", std::string(concept_code)},
                         {"CLIENTE", std::string("C1")},
                         {"SUBCLIENTE", std::string("01")},
                         {"MONEDA", std::string(currency)},
                         {"MONTO", Decimal(amount)},
                         {"SALDO", Decimal(balance)}});
        if (!instalment.empty())
            put("DOC_PARC", {{"DOCUMENTO", number}, {"FECHA", instalment}, {"MONTO", Decimal(amount)}});
    }
    void set_settings(const char* name, const data::Value& v) {
        data::Table t = data::USE(*db, "F_FAC", "F_FAC");
        ASSERT_TRUE(t->Seek(data::order_key("F_FAC", "F_FAC", {kBiz})));
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut(name, v);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(*db, t);
    }
    CreditFigures figures(int new_amount = 0) {
        const Date today(2026, 5, 20);
        const CreditRateLookup rates = [&](const std::string& to, const std::string& from) {
            const auto r = domain::required_rate(*db, kBiz, to, from, today);
            return CreditRate{r.factor, r.problem};
        };
        return branch_credit_figures(*db, kBiz, "C1", "01", Decimal(new_amount), today, rates);
    }
    CreditFigures over_limit() {  // what the helper program judges
        CreditFigures f;
        f.balance = Decimal(1500);
        f.limit = Decimal(1000);
        return f;
    }
    long grant(int max_excess, bool overdue = false, int max_overdue = 0) {
        PreAuthorisation a;
        a.customer = "C1";
        a.branch = "01";
        a.excess = true;
        a.max_excess = Decimal(max_excess);
        a.overdue = overdue;
        a.max_overdue = Decimal(max_overdue);
        EXPECT_FALSE(save_pre_authorisation(*db, kBiz, a, "JEFE", inst->clock.now()));
        return pre_authorisations(*db, kBiz).back().recno;
    }
    bool wait_file(const std::string& name) {
        for (int i = 0; i < 1200; ++i) {
            if (std::filesystem::exists(inst->home() + "/" + name)) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return false;
    }
    void go() { std::ofstream(inst->home() + "/go") << "go"; }
    std::vector<std::string> args(std::initializer_list<std::string> more) {
        auto a = inst->process_args();
        a.insert(a.end(), more);
        return a;
    }
    RemoteAsk ask() {
        RemoteAsk a{kBiz, "CAJA1"};
        a.excess = Decimal(500);
        a.branch_name = "Sucursal 01";
        return a;
    }
};

TEST_P(CreditTest, TheFiguresAskOnlyForTheKeysTheyNeed) {
    doc("F1", "FC", 1200, 1200, Date(2026, 6, 30));
    CreditFigures f = figures();
    EXPECT_EQ(f.balance, Decimal(1200));
    EXPECT_EQ(f.limit, Decimal(1000));
    EXPECT_TRUE(f.excess_key());
    EXPECT_FALSE(f.overdue_key()) << "over the limit without overdue documents";

    doc("F2", "FC", 300, 200, Date(2026, 4, 1));  // 100 paid of a 300 instalment past due
    doc("N1", "NC", 50, 50);
    f = figures(-700);
    EXPECT_EQ(f.balance, Decimal(700));
    EXPECT_EQ(f.overdue, Decimal(200));
    EXPECT_EQ(f.credit, Decimal(50));
    EXPECT_TRUE(f.overdue_key());
    EXPECT_FALSE(f.excess_key()) << "at or under the limit";

    set_settings("D_GRACIA", Decimal(60));
    EXPECT_EQ(figures().overdue, Decimal(0)) << "within the grace days";
    set_settings("D_GRACIA", Decimal(0));
    doc("N2", "NC", 150, 150);
    EXPECT_FALSE(figures().overdue_key()) << "credit notes cover the overdue amount";
}

TEST_P(CreditTest, DocumentsInAnotherCurrencyAreJudgedInTheLimitsCurrency) {
    put("T_CAMBIO", {{"MONEDA1", std::string("US")},
                     {"MONEDA2", std::string("CR")},
                     {"FECHA", Date(2026, 5, 1)},
                     {"CAMBIO", Decimal(500)}});
    doc("F1", "FC", 3, 3, Date(2026, 4, 1), "US");  // 3 dollars overdue: 1500 colones
    doc("F2", "FC", 100, 100, Date(2026, 6, 30));
    doc("N1", "NC", 1, 1, Date(), "US");
    CreditFigures f = figures();
    EXPECT_EQ(f.currency, "CR");
    EXPECT_EQ(f.balance, Decimal(1600));
    EXPECT_EQ(f.overdue, Decimal(1500));
    EXPECT_EQ(f.credit, Decimal(500));
    EXPECT_TRUE(f.excess_key()) << "1600 colones is over a limit of 1000, 103 is not";
    EXPECT_TRUE(f.rate_problem.empty());

    doc("E1", "FC", 10, 10, Date(), "EU");
    f = figures();
    EXPECT_NE(f.rate_problem.find("Falta por definir el tipo de cambio"), std::string::npos)
        << "a currency without a rate is not summed as if it were colones unawares";
}

TEST_P(CreditTest, KeysAreHashedCaseBlindAndCheckedOnlyWhereAsked) {
    set_credit_keys(*db, kBiz, "venc2026", "exceso26");
    EXPECT_TRUE(domain::is_pass_code_hash(field("F_FAC", "F_FAC", {kBiz}, "PASSWRD3")));
    CreditFigures f = over_limit();
    EXPECT_EQ(check_credit_keys(*db, kBiz, f, "", "otra"), std::string(kExcessKeyWrong));
    EXPECT_FALSE(check_credit_keys(*db, kBiz, f, "", "EXCESO26"));
    f.overdue = Decimal(10);
    EXPECT_EQ(check_credit_keys(*db, kBiz, f, "exceso26", "exceso26"),
              std::string(kOverdueKeyWrong));
    EXPECT_FALSE(check_credit_keys(*db, kBiz, f, "Venc2026", "exceso26"));
    EXPECT_TRUE(credit_keys_set(*db, kBiz));
}

TEST_P(CreditTest, ABlankNewKeyKeepsTheStoredOneAndARepetitionMustMatch) {
    set_credit_keys(*db, kBiz, "venc2026", "exceso26");
    set_credit_keys(*db, kBiz, "  ", "nueva");
    CreditFigures f = over_limit();
    f.overdue = Decimal(10);
    EXPECT_FALSE(check_credit_keys(*db, kBiz, f, "venc2026", "NUEVA"));

    EXPECT_EQ(check_new_credit_keys({"", "", " ", ""}), std::string(kNoNewKey));
    EXPECT_EQ(check_new_credit_keys({"uno", "una", "", ""}), std::string(kOverdueKeyWrong));
    EXPECT_EQ(check_new_credit_keys({"", "", "dos", ""}), std::string(kExcessKeyWrong));
    EXPECT_FALSE(check_new_credit_keys({"uno", "UNO", "", ""})) << "keys are case-blind";
}

TEST_P(CreditTest, ALegacyPlainKeyMatchesAndIsStoredHashed) {
    set_settings("PASSWRD3", std::string("viejo"));
    EXPECT_FALSE(check_credit_keys(*db, kBiz, over_limit(), "", "VIEJO"));
    EXPECT_TRUE(domain::is_pass_code_hash(field("F_FAC", "F_FAC", {kBiz}, "PASSWRD3")));
    EXPECT_FALSE(check_credit_keys(*db, kBiz, over_limit(), "", "viejo"));
}

TEST_P(CreditTest, APreAuthorisationTooSmallStaysValidAndAFittingOneServesOnce) {
    grant(400);
    EXPECT_FALSE(usable_pre_authorisation(*db, kBiz, "C1", "01", over_limit()));
    EXPECT_EQ(pre_authorisations(*db, kBiz).front().valid, true);

    const long fitting = grant(500);
    auto found = usable_pre_authorisation(*db, kBiz, "C1", "01", over_limit());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->recno, fitting);
    EXPECT_EQ(consume_pre_authorisation(*db, fitting, over_limit(), inst->clock.now()),
              std::optional<std::string>("JEFE"));
    EXPECT_FALSE(consume_pre_authorisation(*db, fitting, over_limit(), inst->clock.now()));
    EXPECT_FALSE(usable_pre_authorisation(*db, kBiz, "C1", "01", over_limit()));

    CreditFigures overdue = over_limit();
    overdue.overdue = Decimal(20);
    grant(500, true, 10);
    EXPECT_FALSE(usable_pre_authorisation(*db, kBiz, "C1", "01", overdue)) << "overdue too big";
}

TEST_P(CreditTest, APreAuthorisationNeedsItsBranchAndAChangeOfADeletedOneIsRefused) {
    PreAuthorisation a;
    EXPECT_EQ(save_pre_authorisation(*db, kBiz, a, "JEFE", inst->clock.now()),
              std::string(kNoCustomer));
    a.customer = "C1";
    EXPECT_EQ(save_pre_authorisation(*db, kBiz, a, "JEFE", inst->clock.now()),
              std::string(kNoBranch));
    a.recno = grant(100);
    a.branch = "01";
    delete_pre_authorisation(*db, a.recno);
    EXPECT_EQ(save_pre_authorisation(*db, kBiz, a, "JEFE", inst->clock.now()),
              std::string(kPreAuthorisationGone));
    EXPECT_TRUE(pre_authorisations(*db, kBiz).empty()) << "nothing written back";
}

TEST_P(CreditTest, APreAuthorisationSeenByTwoWorkstationsAuthorisesOnlyOne) {
    const long recno = grant(600);
    const int pid = test::spawn_tool("qz_credit_poller", args({"pre"}));
    ASSERT_TRUE(wait_file("found"));
    ASSERT_TRUE(consume_pre_authorisation(*db, recno, over_limit(), inst->clock.now()));
    go();
    EXPECT_EQ(test::wait_tool(pid), 1) << "the other workstation found it used";
}

TEST_P(CreditTest, ARemoteRequestApprovedElsewhereIsUsedOnceWithItsOverLimitRow) {
    const long id = request_remote_authorisation(*db, ask(), inst->clock.now());
    EXPECT_EQ(field("C_REMOT2", "C_REMOT2", {kBiz, static_cast<long long>(id)}, "CUENTA"),
              "CXC????");
    EXPECT_EQ(take_remote_answer(*db, ask(), id, inst->clock.now()).kind, RemoteAnswer::Waiting);
    ASSERT_EQ(open_remote_requests(*db, kBiz).size(), 1u);

    const int approver =
        test::spawn_tool("qz_credit_poller", args({"answer", std::to_string(id), "yes", "GERENTE"}));
    ASSERT_EQ(test::wait_tool(approver), 0);
    EXPECT_TRUE(open_remote_requests(*db, kBiz).empty());

    const int poller = test::spawn_tool("qz_credit_poller", args({"remote", std::to_string(id)}));
    ASSERT_TRUE(wait_file("found"));
    const RemoteAnswer a = take_remote_answer(*db, ask(), id, inst->clock.now());
    go();
    EXPECT_EQ(test::wait_tool(poller), 1) << "the answer was already used here";
    EXPECT_EQ(a.kind, RemoteAnswer::Granted);
    EXPECT_EQ(a.approver, "GERENTE");
    EXPECT_EQ(read_remote_request(*db, kBiz, id)->state, kUsed);
    EXPECT_EQ(rows("DET_AS4", "DET_AS4", {kBiz}), 1);
    EXPECT_EQ(field("DET_AS4", "DET_AS4", {kBiz}, "MODULO"), "03");
    EXPECT_EQ(field("DET_AS4", "DET_AS4", {kBiz}, "SOBREGIRO"), "500");
}

TEST_P(CreditTest, ARemoteRequestRejectedOrAbandonedAuthorisesNothing) {
    const long id = request_remote_authorisation(*db, ask(), inst->clock.now());
    const int approver =
        test::spawn_tool("qz_credit_poller", args({"answer", std::to_string(id), "no", "GERENTE"}));
    ASSERT_EQ(test::wait_tool(approver), 0);
    EXPECT_EQ(take_remote_answer(*db, ask(), id, inst->clock.now()).kind, RemoteAnswer::Rejected);
    EXPECT_EQ(rows("DET_AS4", "DET_AS4", {kBiz}), 0);

    const long other = request_remote_authorisation(*db, ask(), inst->clock.now());
    abandon_remote_request(*db, kBiz, other);
    EXPECT_EQ(read_remote_request(*db, kBiz, other)->state, kAbandoned);
    EXPECT_FALSE(answer_remote_request(*db, kBiz, other, true, "GERENTE"));
    EXPECT_EQ(take_remote_answer(*db, ask(), other, inst->clock.now()).kind, RemoteAnswer::Gone);
}

TEST(CreditModules, ModuleNamesTakeTheirCodes) {
    EXPECT_EQ(module_code("CXC"), "03");
    EXPECT_EQ(module_code("conta"), "08");
    EXPECT_EQ(module_code("SPA"), "SPA");
}

INSTANTIATE_TEST_SUITE_P(Engines, CreditTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
