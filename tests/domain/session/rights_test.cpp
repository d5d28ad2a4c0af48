#include "domain/session/rights.h"

#include <gtest/gtest.h>

#include "session_fixture.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
constexpr long kCashier = 2;

}  // namespace

class RightsTest : public test::SessionFixture {
protected:
    // Sets a MENUS flag of the cashier, adding the record when it is missing.
    void set_menu(int id, bool on) {
        Table t = USE(*db, "MENUS", "MENUS");
        const std::string key = order_key("MENUS", "MENUS", {kHotel, kCashier, id});
        if (t->Seek(key)) {
            LOCK_FOR_MODIFY(*t);
        } else {
            ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", kHotel);
            t->FieldPut("CODIGO", Decimal(kCashier));
            t->FieldPut("ID", Decimal(id));
        }
        t->FieldPut("CHECK_ID", on);
        UNLOCK_FOR_MODIFY(*t);
        KILLTABLA(*db, t);
    }
    long menu_records() {
        Table t = USE(*db, "MENUS", "MENUS");
        const std::string scope = order_key("MENUS", "MENUS", {kHotel, kCashier});
        t->SetScope(scope, scope);
        long n = t->KeyCount();
        KILLTABLA(*db, t);
        return n;
    }
};

TEST_P(RightsTest, CashierHasWhatMenusGrantsPlusTheAlwaysGrantedIds) {
    set_menu(6415, false);
    set_menu(6416, true);
    Rights r = LOAD_DERECHOS(*db, kHotel, "cajero");
    EXPECT_TRUE(r.logged_in());
    EXPECT_TRUE(r.GET_RIGHTS(6415));   // revoked
    EXPECT_FALSE(r.GET_RIGHTS(6416));  // granted
    EXPECT_FALSE(r.GET_RIGHTS(6429));
    for (int id : {2009, 3232, 3386}) EXPECT_FALSE(r.GET_RIGHTS(id)) << id;
    EXPECT_TRUE(r.GET_RIGHTS(2000));  // users and rights are the supervisor's
    EXPECT_TRUE(r.GET_RIGHTS(6999));
    // Nothing outside the range is ever greyed, and nothing is checked after loading.
    EXPECT_FALSE(r.GET_RIGHTS(1999));
    EXPECT_FALSE(r.GET_RIGHTS(7001));
    EXPECT_FALSE(r.GET_RIGHTS(std::nullopt));
    EXPECT_FALSE(r.GET_CHECKS(6416));
}

TEST_P(RightsTest, PasswordChangeFollowsPermiso1) {
    set_menu(kPasswordChangeRight, false);
    EXPECT_FALSE(LOAD_DERECHOS(*db, kHotel, "CAJERO").GET_RIGHTS(kPasswordChangeRight));
    edit_user("CAJERO", [](WDBTable& t) { t.FieldPut("PERMISO1", Decimal(0)); });
    EXPECT_TRUE(LOAD_DERECHOS(*db, kHotel, "CAJERO").GET_RIGHTS(kPasswordChangeRight));
}

TEST_P(RightsTest, SupervisorHoldsEveryRightWhateverMenusSays) {
    Table t = USE(*db, "MENUS", "MENUS");
    ASSERT_TRUE(t->Seek(order_key("MENUS", "MENUS", {kHotel, 1LL, 6415LL})));
    LOCK_FOR_MODIFY(*t);
    t->FieldPut("CHECK_ID", false);
    UNLOCK_FOR_MODIFY(*t);
    KILLTABLA(*db, t);
    Rights r = LOAD_DERECHOS(*db, kHotel, "SUPERVISOR");
    EXPECT_EQ(r.granted_ids().size(), 5001u);
    // A name the business does not know gets only what everybody gets.
    EXPECT_EQ(LOAD_DERECHOS(*db, kHotel, "NADIE").granted_ids(), (std::set<int>{2009, 3232, 3386}));
}

TEST_P(RightsTest, DesignOnTheMenuIsStoredForEveryId) {
    Rights r = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    load_design(*db, r, DesignOwner::User, kHotel, kCashier);
    EXPECT_TRUE(r.GET_CHECKS(6415));
    EXPECT_FALSE(r.GET_CHECKS(6416));
    r.Chequear(6415);  // toggles off
    r.Chequear(6416, true);
    save_design(*db, r, DesignOwner::User, kHotel, kCashier);
    EXPECT_EQ(menu_records(), 5001);
    Rights again = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    EXPECT_TRUE(again.GET_RIGHTS(6415));
    EXPECT_FALSE(again.GET_RIGHTS(6416));
}

TEST_P(RightsTest, ProfileIsCopiedIntoTheUsersMenusOnlyWhenConfirmed) {
    add("PERFILES",
        {{"NEGOCIO", kHotel}, {"CODIGO", Decimal(1)}, {"DESCRIP", std::string("Salas")}});
    for (auto [id, on] : {std::pair{6416, true}, {6415, false}})
        add("DET_PERF",
            {{"NEGOCIO", kHotel}, {"CODIGO", Decimal(1)}, {"ID", Decimal(id)}, {"CHECK_ID", on}});
    const long before = menu_records();

    inst->port.answer = false;
    EXPECT_FALSE(assign_profile(*db, inst->port, kHotel, 1, kCashier));
    EXPECT_FALSE(LOAD_DERECHOS(*db, kHotel, "CAJERO").GET_RIGHTS(6415));

    inst->port.answer = true;
    EXPECT_TRUE(assign_profile(*db, inst->port, kHotel, 1, kCashier));
    Rights r = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    EXPECT_TRUE(r.GET_RIGHTS(6415));
    EXPECT_FALSE(r.GET_RIGHTS(6416));
    EXPECT_FALSE(r.GET_RIGHTS(6429));  // not in the profile: left as it was
    EXPECT_EQ(menu_records(), before + 1);
    EXPECT_FALSE(assign_profile(*db, inst->port, kHotel, 9, kCashier));
}

TEST_P(RightsTest, TreeGroupsEntriesByModuleAndPointer) {
    auto entry = [&](long n_id, const char* text, const char* modulo, long pointer) {
        add("DERECHOS", {{"N_ID", Decimal(n_id)},
                         {"DESCRIP", std::string(text)},
                         {"MODULO", std::string(modulo)},
                         {"POINTER", Decimal(pointer)}});
    };
    entry(10, "Reservas", "09", 0);
    entry(11, "Agregar", "", 10);
    entry(12, "Con descuento", "", 11);
    entry(20, "Asientos", "00", 0);
    set_menu(2311, true);
    RightsNode root = rights_tree(*db, kHotel, kCashier, "CAJERO");
    EXPECT_EQ(root.text, "USUARIO: CAJERO");
    ASSERT_EQ(root.children.size(), rights_groups().size());
    EXPECT_EQ(root.children[0].text, "CONTABILIDAD");
    ASSERT_EQ(root.children[0].children.size(), 1u);
    const RightsNode& hotel = root.children[7];
    EXPECT_EQ(hotel.text, "HOTELERIA");
    ASSERT_EQ(hotel.children.size(), 1u);
    const RightsNode& add_node = hotel.children[0].children.at(0);
    EXPECT_EQ(add_node.text, "Agregar");
    EXPECT_EQ(add_node.right, 2311);
    EXPECT_TRUE(add_node.granted);
    EXPECT_FALSE(hotel.children[0].granted);
    EXPECT_EQ(add_node.children.at(0).text, "Con descuento");
}

INSTANTIATE_TEST_SUITE_P(Rights, RightsTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

TEST(RightsFlags, NothingIsGreyedWithoutLoginAndEditRightsAreRememberedPerBusiness) {
    Rights none;
    EXPECT_FALSE(none.GET_RIGHTS(6415));
    EXPECT_FALSE(none.GET_CHECKS(6415));
    none.Chequear(6415, true);
    EXPECT_FALSE(none.GET_CHECKS(6415));

    Rights r = Rights::for_login(false);
    EXPECT_TRUE(r.GET_R_EDIT(6415, "HOTEL"));
    r.grant(6415, true);
    // Remembered for the business until it changes; without a business it is asked afresh.
    EXPECT_TRUE(r.GET_R_EDIT(6415, "HOTEL"));
    EXPECT_FALSE(r.GET_R_EDIT(6415, ""));
    EXPECT_FALSE(r.GET_R_EDIT(6415, "SPA2"));
    r.set_all_checks(true);
    EXPECT_TRUE(r.GET_CHECKS(7000));
    EXPECT_FALSE(r.GET_CHECKS(7001));
}
