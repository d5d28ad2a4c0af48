// User maintenance: the checks of the user dialog in their order, the business never left
// without a supervisor, what a removed user or profile takes with it, the access blocks and the
// rights designed on the menu.
#include "domain/session/user_admin.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "domain/session/forced_exit.h"
#include "domain/session/password.h"
#include "domain/session/user_store.h"
#include "session_fixture.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
constexpr long kSupervisor = 1, kCashier = 2;

UserForm new_user(const std::string& name) {
    UserForm f;
    f.NOMBRE = name;
    f.USUARIO = "Usuario " + name;
    f.ABREVIA = name;
    f.password = f.repeat = "clave77";
    return f;
}

}  // namespace

class UserAdminTest : public test::SessionFixture {
protected:
    long count(const char* table, const char* order, const std::string& scope) {
        Table t = USE(*db, table, order);
        t->SetScope(scope, scope);
        long n = t->KeyCount();
        KILLTABLA(*db, t);
        return n;
    }
    long rights_records(const char* table, long code) {
        return count(table, table, order_key(table, table, {kHotel, static_cast<long long>(code)}));
    }
    long users() { return count("USUARIOS", "USUARIO3", business_key(kHotel)); }
    std::string last_message() { return shown().empty() ? "" : shown().back(); }
};

TEST_P(UserAdminTest, NewUserGetsTheFirstFreeNumberAHashedPasswordAndNoRights) {
    UserForm f = new_user("ana");
    auto number = save_user(*db, inst->port, kHotel, f);
    ASSERT_TRUE(number);
    EXPECT_EQ(*number, 3);
    auto stored = users::find_by_name(*db, kHotel, "ANA");  // the login name is upper case
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->CODIGO, 3);
    EXPECT_TRUE(stored->password_matches("CLAVE77"));
    EXPECT_EQ(stored->ADASIPA, static_cast<int>(StoredForm::Hashed));
    EXPECT_EQ(stored->F_CLAVE, test::kLoginDay);
    EXPECT_EQ(rights_records("MENUS", 3), 5001);
    EXPECT_EQ(LOAD_DERECHOS(*db, kHotel, "ANA").granted_ids(), (std::set<int>{2009, 3232, 3386}));
    EXPECT_TRUE(f.password.empty());  // nothing typed stays in memory once stored

    // A freed number is taken again before a higher one.
    inst->port.answer = true;
    ASSERT_TRUE(delete_user(*db, inst->port, kHotel, kCashier));
    UserForm g = new_user("BETO");
    EXPECT_EQ(save_user(*db, inst->port, kHotel, g), 2);
}

TEST_P(UserAdminTest, RefusalsComeInTheDialogsOrderAndWriteNothing) {
    auto refused = [&](UserForm f) {
        shown().clear();
        EXPECT_FALSE(save_user(*db, inst->port, kHotel, f));
        return last_message();
    };
    UserForm f = new_user("CAJERO");
    f.ABREVIA = " ";
    f.password = "x";
    EXPECT_EQ(refused(f), "Error: Debe definirse la Abreviatura del Usuario");
    f.ABREVIA = "CJ2";
    EXPECT_EQ(refused(f), "Error: La Clave debe tener al menos 4 dígitos");  // the business's 4
    f.SIZE_CLAVE = 6;
    f.password = f.repeat = "12345";
    EXPECT_EQ(refused(f), "Error: La Clave debe tener al menos 6 dígitos");
    f.password = "123456";
    EXPECT_EQ(refused(f), "Error: La Clave de Acceso no coincide con la verificación");
    f.repeat = "123456";
    EXPECT_EQ(refused(f), "Error: Nombre de Usuario ya existente...");
    // The short code signs records: it is nobody else's, however it is typed.
    UserForm twin = new_user("CAJA2");
    twin.ABREVIA = " caj ";
    EXPECT_EQ(refused(twin), "Error: La Abreviatura CAJ ya pertenece al Usuario CAJERO");
    auto cashier = read_user(*db, kHotel, kCashier);
    cashier->ABREVIA = "SUP";
    EXPECT_EQ(refused(*cashier), "Error: La Abreviatura SUP ya pertenece al Usuario SUPERVISOR");
    EXPECT_EQ(users(), 2);

    // No setting below 3 makes a shorter password acceptable.
    edit_business([](WDBTable& t) { t.FieldPut("SIZE_CLAVE", Decimal(1)); });
    UserForm s = new_user("CORTO");
    s.password = s.repeat = "ab";
    EXPECT_EQ(refused(s), "Error: La Clave debe tener al menos 3 dígitos");
}

TEST_P(UserAdminTest, ModifyingKeepsThePasswordWhenNoneIsTypedAndStampsABlock) {
    auto cashier = read_user(*db, kHotel, kCashier);
    ASSERT_TRUE(cashier);
    cashier->USUARIO = "Caja principal";
    cashier->BLOQUEADO = 1;
    ASSERT_EQ(save_user(*db, inst->port, kHotel, *cashier), kCashier);
    auto stored = users::find_by_number(*db, kHotel, kCashier);
    EXPECT_EQ(stored->USUARIO, "Caja principal");
    EXPECT_TRUE(stored->password_matches("CAJA2026"));
    EXPECT_EQ(stored->BLOQUEADO, 1);
    EXPECT_FALSE(read_user(*db, kHotel, kCashier)->INFO_BLOQ.empty());

    set_user_blocked(*db, kHotel, kCashier, false);
    EXPECT_EQ(users::find_by_number(*db, kHotel, kCashier)->BLOQUEADO, 0);
    // Keeping its own name is no duplicate.
    cashier = read_user(*db, kHotel, kCashier);
    EXPECT_TRUE(save_user(*db, inst->port, kHotel, *cashier));
}

TEST_P(UserAdminTest, TheBusinessKeepsASupervisor) {
    auto boss = read_user(*db, kHotel, kSupervisor);
    boss->SUPERVISOR = 0;
    shown().clear();
    ASSERT_TRUE(save_user(*db, inst->port, kHotel, *boss));
    EXPECT_EQ(boss->SUPERVISOR, 1);
    EXPECT_EQ(shown().front(),
              "Atencion: Debe haber al menos un usuario Supervisor.\n"
              "Este usuario queda registrado como Supervisor.");
    EXPECT_TRUE(users::find_by_number(*db, kHotel, kSupervisor)->supervisor());

    inst->port.answer = true;
    EXPECT_FALSE(delete_user(*db, inst->port, kHotel, kSupervisor));
    EXPECT_EQ(last_message().rfind("Error: Debe haber al menos un Usuario Supervisor.", 0), 0u);
    EXPECT_EQ(users(), 2);

    // With a second supervisor the first one may step down.
    auto cashier = read_user(*db, kHotel, kCashier);
    cashier->SUPERVISOR = 1;
    ASSERT_TRUE(save_user(*db, inst->port, kHotel, *cashier));
    boss = read_user(*db, kHotel, kSupervisor);
    boss->SUPERVISOR = 0;
    shown().clear();
    ASSERT_TRUE(save_user(*db, inst->port, kHotel, *boss));
    EXPECT_EQ(boss->SUPERVISOR, 0);
    EXPECT_TRUE(shown().empty());
}

TEST_P(UserAdminTest, DeletingAUserTakesItsRightsAndSettingsOnly) {
    for (long code : {kSupervisor, kCashier}) {
        add("F_BROWSE", {{"NEGOCIO", kHotel},
                         {"DIALOGO", std::string("SPA_SALA")},
                         {"CODIGO", Decimal(code)},
                         {"T_FONT", std::string("Arial")}});
        add("DET_TRA2", {{"NEGOCIO", kHotel}, {"CODIGO", Decimal(code)}});
    }
    const long boss_menus = rights_records("MENUS", kSupervisor);
    inst->port.answer = false;
    EXPECT_FALSE(delete_user(*db, inst->port, kHotel, kCashier));
    EXPECT_EQ(users(), 2);

    inst->port.answer = true;
    ASSERT_TRUE(delete_user(*db, inst->port, kHotel, kCashier));
    EXPECT_FALSE(users::find_by_number(*db, kHotel, kCashier));
    EXPECT_EQ(rights_records("MENUS", kCashier), 0);
    EXPECT_EQ(rights_records("DET_TRA2", kCashier), 0);
    EXPECT_EQ(rights_records("DET_TRA2", kSupervisor), 1);
    EXPECT_EQ(rights_records("MENUS", kSupervisor), boss_menus);
    EXPECT_EQ(count("F_BROWSE", "F_BROWSE", business_key(kHotel)), 1);
}

TEST_P(UserAdminTest, ProfilesCarryAFullSetOfRightsAndGoWithThem) {
    auto code = add_profile(*db, inst->port, kHotel, "Recepción");
    ASSERT_EQ(code, 1);
    EXPECT_EQ(rights_records("DET_PERF", 1), 5001);
    EXPECT_FALSE(add_profile(*db, inst->port, kHotel, "  "));
    EXPECT_TRUE(rename_profile(*db, inst->port, kHotel, 1, "Recepción Spa"));
    ASSERT_EQ(list_profiles(*db, kHotel).size(), 1u);
    EXPECT_EQ(list_profiles(*db, kHotel)[0].DESCRIP, "Recepción Spa");

    // A profile assigned to the cashier replaces every right it had.
    RightsDesign design;
    design.load(*db, DesignOwner::Profile, kHotel, 1);
    design.toggle(6416);
    design.save(*db, DesignOwner::Profile, kHotel, 1);
    inst->port.answer = true;
    ASSERT_TRUE(assign_profile(*db, inst->port, kHotel, 1, kCashier));
    Rights r = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    EXPECT_FALSE(r.GET_RIGHTS(6416));
    EXPECT_TRUE(r.GET_RIGHTS(6415));  // the cashier's agenda went with the old rights

    inst->port.answer = false;
    EXPECT_FALSE(delete_profile(*db, inst->port, kHotel, 1));
    inst->port.answer = true;
    EXPECT_TRUE(delete_profile(*db, inst->port, kHotel, 1));
    EXPECT_TRUE(list_profiles(*db, kHotel).empty());
    EXPECT_EQ(rights_records("DET_PERF", 1), 0);
}

TEST_P(UserAdminTest, StartingADesignFromNothingAsksFirst) {
    RightsDesign design;
    inst->port.answer = false;
    EXPECT_FALSE(design.start(inst->port));
    EXPECT_FALSE(design.shown());
    inst->port.answer = true;
    EXPECT_TRUE(design.start(inst->port));
    EXPECT_TRUE(design.capturing());
    design.set_all(true);
    design.toggle(2000);
    design.save(*db, DesignOwner::User, kHotel, kCashier);
    EXPECT_FALSE(design.capturing());
    EXPECT_TRUE(design.loaded());  // still shown, ready to be saved for someone else
    Rights r = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    EXPECT_TRUE(r.GET_RIGHTS(2000));
    EXPECT_EQ(r.granted_ids().size(), 5000u);
}

TEST_P(UserAdminTest, TreeRightsKeepEveryOtherRight) {
    save_tree_rights(*db, kHotel, kCashier, {{2311, true}, {6415, false}});
    Rights r = LOAD_DERECHOS(*db, kHotel, "CAJERO");
    EXPECT_FALSE(r.GET_RIGHTS(2311));
    EXPECT_TRUE(r.GET_RIGHTS(6415));
    EXPECT_FALSE(r.GET_RIGHTS(6429));  // untouched
}

TEST_P(UserAdminTest, PasswordRulesAndTheSystemBlockAreStored) {
    save_password_rules(*db, kHotel, {30, 6, 5});
    PasswordRules r = read_password_rules(*db, kHotel);
    EXPECT_EQ(r.DIAS_CLAVE, 30);
    EXPECT_EQ(r.SIZE_CLAVE, 6);
    EXPECT_EQ(r.INTENTOS, 5);
    EXPECT_FALSE(system_blocked(*db));
    set_system_blocked(*db, true);
    EXPECT_TRUE(system_blocked(*db));
}

INSTANTIATE_TEST_SUITE_P(UserAdmin, UserAdminTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

TEST(AccessBlock, WrittenChoiceReadsBackAndFreeAccessRemovesIt) {
    const auto home = std::filesystem::temp_directory_path() / "qz_access_block_test";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    test::ScriptedPort port;
    EXPECT_EQ(read_access_block(home).choice, AccessChoice::Free);

    AccessBlock b;
    b.choice = AccessChoice::ExceptSupervisors;
    b.modules[6] = b.modules[15] = true;  // "Hotel", "Eventos"
    ASSERT_TRUE(apply_access_block(home, port, b));
    EXPECT_EQ(read_exit_request(home), "00000001000000001");
    AccessBlock back = read_access_block(home);
    EXPECT_EQ(back.choice, AccessChoice::ExceptSupervisors);
    EXPECT_EQ(back.modules, b.modules);

    b.choice = AccessChoice::Everybody;
    ASSERT_TRUE(apply_access_block(home, port, b));
    EXPECT_EQ(read_access_block(home).choice, AccessChoice::Everybody);

    b.choice = AccessChoice::Free;
    ASSERT_TRUE(apply_access_block(home, port, b));
    EXPECT_FALSE(exit_request_exists(home));
    std::filesystem::remove_all(home);
}
