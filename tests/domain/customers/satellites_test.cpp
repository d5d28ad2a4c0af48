// What hangs off a customer: referrals owned by the clerk who wrote them, associates with their
// cards and the customer's flag, and the commission on tours.
#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "domain/customers/associates.h"
#include "domain/customers/referrals.h"
#include "domain/customers/tour_commissions.h"
#include "domain/ledger/membership_cards.h"
#include "domain/session/pass_code.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class SatellitesTest : public test::CustomerTest {
protected:
    void SetUp() override {
        test::CustomerTest::SetUp();
        if (IsSkipped()) return;
        store("C1", {"01"});
        store("C2", {"01"});
    }
    void clerk(const char* code, const std::string& stored_code) {
        put("DIGITA", {{"CODIGO", std::string(code)}, {"CLAVE", stored_code}});
    }
    Referral referral(const char* code) { return {code, "Referido " + std::string(code)}; }
    Associate associate(const char* code) {
        Associate a;
        a.code = code;
        a.name = "Asociado";
        a.birth = Date(1990, 1, 1);
        a.relation = 1;
        return a;
    }
    long referrals() { return rows("DET_CLI2", "DET_CLI2", {kBiz, "C1"}); }
};

TEST_P(SatellitesTest, OnlyTheRowsOwnClerkProvedByHisPassCodeChangesAReferral) {
    clerk("0001", domain::hash_pass_code("1111"));
    clerk("0002", domain::hash_pass_code("2222"));
    EXPECT_FALSE(add_referral(*db, port(), kBiz, "C1", referral("R1"), {"", "1111"}));
    EXPECT_EQ(said(), kNoClerk);
    EXPECT_FALSE(add_referral(*db, port(), kBiz, "C1", referral("R1"), {"0001", "2222"}));
    EXPECT_EQ(said(), kWrongPassCode);
    EXPECT_FALSE(add_referral(*db, port(), kBiz, "C1", referral("R1"), {"0009", ""}));
    EXPECT_EQ(said(), kWrongPassCode);
    EXPECT_EQ(referrals(), 0);
    ASSERT_TRUE(add_referral(*db, port(), kBiz, "C1", referral("R1"), {"0001", "1111"}));
    EXPECT_FALSE(add_referral(*db, port(), kBiz, "C1", referral("r1"), {"0001", "1111"}));
    EXPECT_EQ(said(), kCodeTaken);

    Referral changed = referral("R1");
    changed.name = "Otro nombre";
    EXPECT_FALSE(modify_referral(*db, port(), kBiz, "C1", changed, {"0002", "2222"}));
    EXPECT_EQ(said(), kNotClerksToModify);
    EXPECT_FALSE(delete_referral(*db, port(), kBiz, "C1", "R1", {"0002", "2222"}));
    EXPECT_EQ(said(), kNotClerksToDelete);
    EXPECT_FALSE(delete_referral(*db, port(), kBiz, "C1", "R1", {"0001", "2222"}));
    EXPECT_EQ(said(), kWrongPassCode);
    ASSERT_TRUE(modify_referral(*db, port(), kBiz, "C1", changed, {"0001", "1111"}));
    EXPECT_EQ(field("DET_CLI2", "DET_CLI2", {kBiz, "C1", "R1"}, "NOMBRE"), "Otro nombre");
    EXPECT_EQ(field("DET_CLI2", "DET_CLI2", {kBiz, "C1", "R1"}, "DIGITADOR"), "0001");
    ASSERT_TRUE(delete_referral(*db, port(), kBiz, "C1", "R1", {"0001", "1111"}));
    EXPECT_EQ(referrals(), 0);
}

TEST_P(SatellitesTest,
       ANewReferralBecomesTheReferralOfTheCustomersDocumentsAndALegacyCodeIsHashed) {
    clerk("0003", "3333");  // a pass code from before hashing
    document("D1", "C1", "01");
    document("D2", "C2", "01");
    ASSERT_TRUE(add_referral(*db, port(), kBiz, "C1", referral("R7"), {"0003", "3333"}));
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "D1"}, "REFERIDO"), "R7");
    EXPECT_EQ(field("DOCUMENT", "DOCUMENT", {kBiz, "D2"}, "REFERIDO"), "");
    const std::string stored = field("DIGITA", "DIGITA", {kBiz, "0003"}, "CLAVE");
    EXPECT_TRUE(domain::is_pass_code_hash(stored));
    EXPECT_TRUE(domain::verify_pass_code("3333", stored));
}

TEST_P(SatellitesTest, AssociatesAreRefusedInTheirOrderAndSetTheCustomersFlag) {
    Associate a = associate("A1");
    a.birth = Date();
    a.relation = 0;
    EXPECT_FALSE(save_associate(*db, port(), kBiz, "C1", "", a));
    EXPECT_EQ(said(), kBadBirthDate);
    a.birth = Date(2026, 5, 21);  // tomorrow
    EXPECT_FALSE(save_associate(*db, port(), kBiz, "C1", "", a));
    EXPECT_EQ(said(), kBadBirthDate);
    a.birth = Date(1990, 1, 1);
    EXPECT_FALSE(save_associate(*db, port(), kBiz, "C1", "", a));
    EXPECT_EQ(said(), kNoRelation);
    EXPECT_EQ(field("CLIENTES", "CLIENTES", {kBiz, "C1"}, "ASOCIADOS"), "0");

    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "", associate("A1")));
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "", associate("A2")));
    EXPECT_EQ(field("CLIENTES", "CLIENTES", {kBiz, "C1"}, "ASOCIADOS"), "1");
    // An associate's code names one member of the whole business.
    EXPECT_FALSE(save_associate(*db, port(), kBiz, "C2", "", associate("A1")));
    EXPECT_EQ(said(), kAssociateCodeTaken);
    EXPECT_FALSE(save_associate(*db, port(), kBiz, "C1", "A2", associate("A1")));
    EXPECT_EQ(said(), kAssociateCodeTaken);
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "A2", associate("A3")));
    EXPECT_EQ(rows("DET_CLI3", "DET_CLI3", {kBiz, "C1"}), 2);

    ASSERT_TRUE(delete_associate(*db, port(), kBiz, "C1", "A1"));
    EXPECT_EQ(field("CLIENTES", "CLIENTES", {kBiz, "C1"}, "ASOCIADOS"), "1");
    ASSERT_TRUE(delete_associate(*db, port(), kBiz, "C1", "A3"));
    EXPECT_EQ(field("CLIENTES", "CLIENTES", {kBiz, "C1"}, "ASOCIADOS"), "0");
}

TEST_P(SatellitesTest, ANewAssociateWithoutACardTakesTheNextOfTheCardSeries) {
    const AssociateContext draw{[](data::Db& d) { return domain::draw_membership_card(d, kBiz); }};
    // No series named: the card stays blank.
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "", associate("A0"), draw));
    EXPECT_EQ(field("DET_CLI3", "DET_CLI3", {kBiz, "C1", "A0"}, "CARNET"), "");
    put("F_FAC", {{"SER_CARNET", std::string("CARNET")}});
    put("SERIALES", {{"CODIGO", std::string("CARNET")},
                     {"NUMERO", Decimal(41)},
                     {"PREFIJO", std::string("C")},
                     {"INDENT", Decimal(6)}});
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "", associate("A1"), draw));
    EXPECT_EQ(field("DET_CLI3", "DET_CLI3", {kBiz, "C1", "A1"}, "CARNET"), "C000042");
    Associate typed = associate("A2");
    typed.card = "VIP-7";
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "", typed, draw));
    EXPECT_EQ(field("DET_CLI3", "DET_CLI3", {kBiz, "C1", "A2"}, "CARNET"), "VIP-7");
    EXPECT_EQ(field("SERIALES", "SERIALES", {kBiz, "", "CARNET"}, "NUMERO"), "42");
    // Changing an associate keeps the card it has.
    ASSERT_TRUE(save_associate(*db, port(), kBiz, "C1", "A0", associate("A0"), draw));
    EXPECT_EQ(field("SERIALES", "SERIALES", {kBiz, "", "CARNET"}, "NUMERO"), "42");
}

TEST_P(SatellitesTest, CommissionsGoOnEveryTourArticleOnceTheReservationsAreSetUp) {
    EXPECT_FALSE(write_tour_commissions(*db, port(), kBiz, "C1", Decimal(10)));
    EXPECT_EQ(said(), kNoReservations);
    put("F_RESER", {{"COMISION", Decimal(1)}, {"LINEA_TOUR", std::string("TOUR")}});
    EXPECT_FALSE(write_tour_commissions(*db, port(), kBiz, "C1", Decimal(10)));
    EXPECT_EQ(said(), kNoTours);
    put("DEF_ART", {{"CODIGO", std::string("T1")}, {"LINEA", std::string("TOUR")}});
    put("DEF_ART", {{"CODIGO", std::string("T2")}, {"LINEA", std::string("TOUR")}});
    put("DEF_ART", {{"CODIGO", std::string("MAS")}, {"LINEA", std::string("SPA")}});
    EXPECT_FALSE(write_tour_commissions(*db, port(), kBiz, "C1", Decimal(101)));
    EXPECT_EQ(said(), kCommissionRange);
    ASSERT_TRUE(write_tour_commissions(*db, port(), kBiz, "C1", Decimal(10)));
    ASSERT_TRUE(write_tour_commissions(*db, port(), kBiz, "C1", Decimal::parse("12.5")));
    EXPECT_EQ(rows("DET_ART6", "DET_ART6", {kBiz, "C1"}), 2);
    const auto tours = customer_tour_commissions(*db, kBiz, "C1");
    ASSERT_EQ(tours.size(), 2u);
    EXPECT_EQ(*tours[1].commission, Decimal::parse("12.5"));
    EXPECT_FALSE(customer_tour_commissions(*db, kBiz, "C2")[0].commission);
    inst->port.answer = false;
    EXPECT_FALSE(remove_tour_commissions(*db, port(), kBiz, "C1"));
    inst->port.answer = true;
    ASSERT_TRUE(remove_tour_commissions(*db, port(), kBiz, "C1"));
    EXPECT_EQ(rows("DET_ART6", "DET_ART6", {kBiz, "C1"}), 0);
}

INSTANTIATE_TEST_SUITE_P(Engines, SatellitesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
