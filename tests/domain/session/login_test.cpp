#include "domain/session/login.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/legacy_crypt.h"
#include "data/sqlite_connection.h"
#include "domain/ledger/rate_check.h"
#include "domain/session/password.h"
#include "session_fixture.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;
using qz::test::kLoginDay;

namespace {

const std::string kDenied = "Serie Quartzen: Acceso Denegado";
const std::string kExceeded = "ERROR: Se ha excedido el número máximo de Intentos permitidos";
const std::string kNotify =
    "ATENCION: Se encuentra globalmente bloqueado el Acceso al Sistema\n"
    "Se le notificará cuando tenga Acceso nuevamente...";

void write_request(const std::string& home, const std::string& content) {
    std::ofstream(home + "/BLOQUEAD.!") << content;
}

}  // namespace

class LoginTest : public test::SessionFixture {
protected:
    long log_records() {
        Table t = USE(*db, "LOG_E_S");
        long n = t->KeyCount();
        KILLTABLA(*db, t);
        return n;
    }
    void set_attempts(int n) {
        edit_business([&](WDBTable& t) { t.FieldPut("INTENTOS", Decimal(n)); });
    }
    void block_system() {
        Table t = USE(*db, "F_SYS");
        LOCK_FOR_MODIFY(*t);
        t->FieldPut("BLOQUEADO", Decimal(1));
        UNLOCK_FOR_MODIFY(*t);
        KILLTABLA(*db, t);
    }
};

TEST_P(LoginTest, AcceptedLoginOpensTheSessionAndLogsIt) {
    ini->set("LAST_NEG", "LAST_NEG", "OTRO");
    LoginService svc = login();
    auto list = svc.businesses();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, "Hotel Quartzen Spa & Resort");
    EXPECT_EQ(svc.preselected(list), 0u);  // the last business no longer exists

    ASSERT_EQ(svc.submit("HOTEL", "cajero", "caja2026"), LoginOutcome::Accepted);
    EXPECT_TRUE(shown().empty());
    EXPECT_EQ(session.XUSER_NUMBER, 2);
    EXPECT_EQ(session.XUSER_ABREVIA, "CAJ");
    EXPECT_EQ(session.XFECHA_CLAVE, kLoginDay);
    EXPECT_EQ(settings.XEMAILADDR, "spa@quartzen.local");
    EXPECT_EQ(ini->get("LAST_NEG", "LAST_NEG"), "HOTEL");
    EXPECT_TRUE(std::filesystem::exists(inst->home() + "/QUARTZEN.ALV"));
    EXPECT_FALSE(session.rights.GET_RIGHTS(6415));
    EXPECT_TRUE(session.rights.GET_RIGHTS(2000));

    ASSERT_TRUE(session.XREC_E_S);
    Table log = USE(*db, "LOG_E_S");
    log->GoTo(*session.XREC_E_S);
    ASSERT_FALSE(log->Eof());
    EXPECT_EQ(trim(log->str("USUARIO")) + "/" + trim(log->str("MODULO")), "CAJERO/SPA");
}

TEST_P(LoginTest, RefusedAttemptsSayWhyAndOpenNothing) {
    LoginService svc = login();
    EXPECT_EQ(svc.submit(std::nullopt, "CAJERO", "CAJA2026"), LoginOutcome::TryAgain);
    EXPECT_EQ(svc.submit("HOTEL", "NADIE", "CAJA2026"), LoginOutcome::TryAgain);
    EXPECT_EQ(svc.submit("HOTEL", "CAJERO", "QUARTZEN"), LoginOutcome::TryAgain);
    EXPECT_EQ(shown(), (std::vector<std::string>{"Error: Debe seleccionar una compañía válida",
                                                 kDenied, kDenied}));
    EXPECT_FALSE(session.logged_in);
    EXPECT_FALSE(session.XUSER_NUMBER);
    EXPECT_EQ(log_records(), 0);
}

TEST_P(LoginTest, ExhaustedAttemptsBlockTheAccountOfAWrongPasswordOnly) {
    LoginService svc = login();  // INTENTOS 3, counted across names in one dialog
    EXPECT_EQ(svc.submit("HOTEL", "NADIE", "X"), LoginOutcome::TryAgain);
    EXPECT_EQ(svc.submit("HOTEL", "CAJERO", "X"), LoginOutcome::TryAgain);
    EXPECT_EQ(svc.submit("HOTEL", "CAJERO", "Y"), LoginOutcome::Abandoned);
    EXPECT_EQ(shown().back(), kExceeded);
    Table u = user("CAJERO");
    EXPECT_EQ(u->num("BLOQUEADO"), Decimal(1));
    EXPECT_FALSE(trim(u->str("INFO_BLOQ")).empty());
    KILLTABLA(*db, u);

    // Even the right password cannot open a blocked account now.
    shown().clear();
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Refused);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "ERROR: Ud. tiene temporalmente bloqueado el Acceso al Sistema"});

    // A supervisor's account is never blocked.
    LoginService sup = login();
    for (int i = 0; i < 2; ++i) sup.submit("HOTEL", "SUPERVISOR", "X");
    EXPECT_EQ(sup.submit("HOTEL", "SUPERVISOR", "X"), LoginOutcome::Abandoned);
    EXPECT_EQ(login().submit("HOTEL", "SUPERVISOR", "QUARTZEN"), LoginOutcome::Accepted);
}

TEST_P(LoginTest, ZeroAttemptsMeansUnlimited) {
    set_attempts(0);
    LoginService svc = login();
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(svc.submit("HOTEL", "CAJERO", "X"), LoginOutcome::TryAgain);
    EXPECT_EQ(svc.submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
}

TEST_P(LoginTest, GlobalBlockEndsUsersAndRemindsSupervisors) {
    block_system();
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Refused);
    EXPECT_EQ(shown(), std::vector<std::string>{kNotify});
    EXPECT_EQ(log_records(), 0);

    shown().clear();
    EXPECT_EQ(login().submit("HOTEL", "SUPERVISOR", "QUARTZEN"), LoginOutcome::Accepted);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "ATENCION: Se encuentra globalmente bloqueado el Acceso al Sistema\n"
                           "En su calidad de Supervisor, recuerde desbloquear..."});
}

TEST_P(LoginTest, ExitRequestAtLoginLooksAtTheFlagsUpToSeventeen) {
    // Only the hotel family is asked to leave: the spa logs in.
    write_request(inst->home(), "0000000100000000");
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);

    // The spa's own flag is position 19, beyond what the login reads: to the login this
    // request has every flag at "0" and so concerns every module.
    write_request(inst->home(), "0" + std::string(17, '0') + "1");
    EXPECT_TRUE(login().interrupted());
    shown().clear();
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Refused);
    EXPECT_EQ(shown(), std::vector<std::string>{kNotify});

    shown().clear();
    EXPECT_EQ(login().submit("HOTEL", "SUPERVISOR", "QUARTZEN"), LoginOutcome::Accepted);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "ATENCION: Se encuentra globalmente bloqueado el Acceso al Sistema\n"
                           "En su calidad de Supervisor, se le permite entrar..."});
}

TEST_P(LoginTest, LegacyPasswordsAreHashedAtTheFirstMatchingLogin) {
    edit_user("CAJERO", [](WDBTable& t) {
        t.FieldPut("PASSWORD", std::string("CAJA2026"));
        t.FieldPut("PWD_HASH", std::string());
        t.FieldPut("ADASIPA", Decimal(0));
    });
    add("USUARIOS", {{"NEGOCIO", std::string("HOTEL")},
                     {"CODIGO", Decimal(3)},
                     {"NOMBRE", std::string("TERAPEUTA")},
                     {"USUARIO", std::string("TERAPEUTA")},
                     {"ABREVIA", std::string("TER")},
                     {"PASSWORD", ENCRYPT_STRING("MASAJE    ", 1)},
                     {"ADASIPA", Decimal(1)}});

    // A wrong password upgrades nothing.
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2025"), LoginOutcome::TryAgain);
    EXPECT_EQ(user("CAJERO")->num("ADASIPA"), Decimal(0));

    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "caja2026"), LoginOutcome::Accepted);
    // The user who logged in and every other legacy password of the business are hashes now.
    for (auto [name, password] : {std::pair{"CAJERO", "CAJA2026"}, {"TERAPEUTA", "MASAJE"}}) {
        Table u = user(name);
        EXPECT_EQ(u->num("ADASIPA"), Decimal(2)) << name;
        EXPECT_EQ(trim(u->str("PASSWORD")), "") << name;
        EXPECT_TRUE(verify_password(password, u->str("PWD_HASH"))) << name;
        KILLTABLA(*db, u);
    }
    EXPECT_EQ(login().submit("HOTEL", "TERAPEUTA", "MASAJE"), LoginOutcome::Accepted);
    EXPECT_EQ(login().submit("HOTEL", "TERAPEUTA", "MASAJ"), LoginOutcome::TryAgain);
}

TEST_P(LoginTest, UserBoundToADataSetWorksInIt) {
    add("SUBBASES", {{"CODIGO", std::string("A1")},
                     {"DESCRIP", std::string("Pruebas")},
                     {"DIRECTORIO", std::string("PRUEBAS")}});
    edit_user("CAJERO", [](WDBTable& t) { t.FieldPut("SUBBASE", std::string("A1")); });
    // Not there yet: working on the main data instead would post real sales as tests.
    EXPECT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Refused);
    EXPECT_EQ(shown().back(),
              "ERROR: El conjunto de datos PRUEBAS asignado al usuario no existe. "
              "Avise al administrador del sistema.");
    EXPECT_TRUE(db->alternate().empty());

    if (GetParam() == Engine::SQLite) {
        std::filesystem::create_directories(inst->home() + "/BASES/PRUEBAS");
        data::SqliteConnection(inst->home() + "/BASES/PRUEBAS/quartzen.db");
    } else {
        db->conn().exec("CREATE SCHEMA IF NOT EXISTS \"PRUEBAS\"");
    }
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    EXPECT_EQ(session.XDBACCESS, (DbAccess{"PRUEBAS", "A1"}));
    EXPECT_EQ(db->alternate(), "PRUEBAS");
    if (GetParam() == Engine::PostgreSQL) db->conn().exec("DROP SCHEMA \"PRUEBAS\" CASCADE");
}

TEST_P(LoginTest, ChangeOfBusinessMovesTheSessionOnlyWhenAccepted) {
    add("NEGOCIOS", {{"CODIGO", std::string("SPA2")},
                     {"DESCRIP", std::string("Spa Centro")},
                     {"INTENTOS", Decimal(3)},
                     {"MANEJO_TC", Decimal(1)}});
    add("USUARIOS", {{"NEGOCIO", std::string("SPA2")},
                     {"CODIGO", Decimal(7)},
                     {"NOMBRE", std::string("CAJERO")},
                     {"USUARIO", std::string("CAJERO CENTRO")},
                     {"ABREVIA", std::string("CJC")},
                     {"PWD_HASH", hash_password("CENTRO")},
                     {"ADASIPA", Decimal(2)}});
    add("MENUS", {{"NEGOCIO", std::string("SPA2")},
                  {"CODIGO", Decimal(7)},
                  {"ID", Decimal(6416)},
                  {"CHECK_ID", true}});
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    const auto entry = session.XREC_E_S;

    LoginService change = login();
    EXPECT_EQ(change.change_business("SPA2", "CAJERO", "CAJA2026"), LoginOutcome::TryAgain);
    EXPECT_EQ(session.XU_COMP, "HOTEL");
    EXPECT_EQ(session.XUSER_NUMBER, 2);

    EXPECT_EQ(change.change_business("SPA2", "CAJERO", "CENTRO"), LoginOutcome::Accepted);
    EXPECT_EQ(session.XU_COMP, "SPA2");
    EXPECT_EQ(session.XUSER_NUMBER, 7);
    EXPECT_EQ(session.XUSER_ABREVIA, "CJC");
    EXPECT_EQ(settings.XMANEJO_TC, 1);
    EXPECT_FALSE(session.rights.GET_RIGHTS(6416));
    EXPECT_TRUE(session.rights.GET_RIGHTS(6415));
    // The session keeps its one log record.
    EXPECT_EQ(session.XREC_E_S, entry);
    EXPECT_EQ(log_records(), 1);
}

TEST_P(LoginTest, OnlyTheSessionsOwnUserUnlocksIt) {
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    begin_lock(session);
    LoginService lock = login();
    EXPECT_EQ(lock.unlock("SUPERVISOR", "QUARTZEN"), LoginOutcome::TryAgain);
    EXPECT_EQ(session.XSUPERACCESS, 0);
    EXPECT_EQ(lock.unlock("CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    end_lock(session, 5000);
    EXPECT_EQ(session.lock.XAPP_IN_MESSAGETIME, 0);
    EXPECT_EQ(shown(), std::vector<std::string>{kDenied});
    EXPECT_EQ(log_records(), 1);

    inst->port.answer = false;
    EXPECT_FALSE(confirm_leave_locked(inst->port));
}

TEST_P(LoginTest, PasswordChangeChecksInOrderAndStoresAHash) {
    edit_business([](WDBTable& t) { t.FieldPut("SIZE_CLAVE", Decimal(1)); });
    edit_user("CAJERO", [](WDBTable& t) { t.FieldPut("SIZE_CLAVE", Decimal(1)); });
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    inst->clock.freeze(DateTime{kLoginDay + 40, "11:00:00"});
    int failures = 0;
    auto change = [&](const char* current, const char* fresh, const char* repeat) {
        return change_password(*db, inst->port, session, {current, fresh, repeat},
                               ChangeOrigin::Forced, failures);
    };
    // A minimum of 1 is raised to 3, and length is checked before the current password.
    EXPECT_EQ(change("MALA", "AB", "AB"), ChangeOutcome::TryAgain);
    EXPECT_EQ(change("MALA", "ABC", "ABC"), ChangeOutcome::TryAgain);
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(change("CAJA2026", "ABC", "ABD"), ChangeOutcome::TryAgain);
    EXPECT_EQ(change("CAJA2026", "caja2026", "CAJA2026"), ChangeOutcome::TryAgain);
    EXPECT_EQ(change("CAJA2026", "pedi2026", "PEDI2026"), ChangeOutcome::Changed);
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           "Error: La Clave Nueva debe tener al menos 3 dígitos",
                           "Error: La Clave de Acceso Actual no coincide con la verificación",
                           "Error: La Clave de Acceso Nueva no coincide con la verificación",
                           "Error: La Clave de Acceso Nueva no puede ser igual a la actual",
                           "Informe: La Clave fue actualizada con Éxito"}));

    Table u = user("CAJERO");
    EXPECT_TRUE(verify_password("PEDI2026", u->str("PWD_HASH")));
    EXPECT_EQ(u->date("F_CLAVE"), kLoginDay + 40);
    EXPECT_EQ(session.XFECHA_CLAVE, kLoginDay + 40);
    Table log = USE(*db, "ADASIPA");
    ASSERT_EQ(log->KeyCount(), 1);
    EXPECT_EQ(trim(log->str("NOMBRE")), "CAJERO");
    EXPECT_EQ(log->num("ORIGEN"), Decimal(1));
    // The log says who and when, never what.
    EXPECT_EQ(trim(log->str("P1")) + trim(log->str("P2")), "");
}

TEST_P(LoginTest, PasswordChangeCountsAgainstZeroAttempts) {
    set_attempts(0);
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    int failures = 0;
    EXPECT_EQ(change_password(*db, inst->port, session, {"MALA", "NUEVA1", "NUEVA1"},
                              ChangeOrigin::Voluntary, failures),
              ChangeOutcome::Exhausted);
    EXPECT_EQ(shown().back(), "ERROR: APLICACION BLOQUEADA!");
    EXPECT_EQ(user("CAJERO")->num("BLOQUEADO"), Decimal(1));

    session = Session();
    ASSERT_EQ(login().submit("HOTEL", "SUPERVISOR", "QUARTZEN"), LoginOutcome::Accepted);
    failures = 0;
    EXPECT_EQ(change_password(*db, inst->port, session, {"MALA", "NUEVA1", "NUEVA1"},
                              ChangeOrigin::Forced, failures),
              ChangeOutcome::Exhausted);
    EXPECT_EQ(user("SUPERVISOR")->num("BLOQUEADO"), Decimal(0));
}

TEST_P(LoginTest, VoluntaryChangeNeedsPermissionOrSupervisor) {
    edit_user("CAJERO", [](WDBTable& t) { t.FieldPut("PERMISO1", Decimal(0)); });
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    EXPECT_FALSE(may_change_password(*db, inst->port, session));
    EXPECT_EQ(shown().back(), "Error: No es permitido el Cambio de Clave...");
}

TEST_P(LoginTest, PasswordAgeUsesTheStricterPositiveLimit) {
    edit_business([](WDBTable& t) { t.FieldPut("DIAS_CLAVE", Decimal(30)); });
    edit_user("CAJERO", [](WDBTable& t) { t.FieldPut("DIAS_CLAVE", Decimal(0)); });
    ASSERT_EQ(login().submit("HOTEL", "CAJERO", "CAJA2026"), LoginOutcome::Accepted);
    inst->clock.freeze(DateTime{kLoginDay + 30, "09:00:00"});
    EXPECT_FALSE(password_change_due(*db, session));
    inst->clock.freeze(DateTime{kLoginDay + 31, "09:00:00"});
    EXPECT_TRUE(password_change_due(*db, session));
    // Without a known date there is nothing to measure.
    session.XFECHA_CLAVE = Date();
    EXPECT_FALSE(password_change_due(*db, session));
}

TEST(LoginPasswordAge, LimitIsTheSmallerPositiveOne) {
    EXPECT_EQ(password_age_limit(30, 0), 30);
    EXPECT_EQ(password_age_limit(0, 45), 45);
    EXPECT_EQ(password_age_limit(30, 20), 20);
    EXPECT_EQ(password_age_limit(0, 0), std::nullopt);
    EXPECT_EQ(password_age_limit(-5, 0), std::nullopt);
}

TEST_P(LoginTest, StaleRatesAreListedPerCurrency) {
    EXPECT_TRUE(CHECK_CAMBIO(*db, "HOTEL").empty());  // the demonstration's dollar is fresh
    // 31 days after the newest rate, with a limit of 30 days.
    inst->clock.freeze(DateTime{kLoginDay + 31, "09:00:00"});
    const std::string line =
        "Debe actualizar la definición de tipos de cambio de Dólares a Colones";
    EXPECT_EQ(CHECK_CAMBIO(*db, "HOTEL"), std::vector<std::string>{line});
    add("MONEDAS", {{"NEGOCIO", std::string("HOTEL")},
                    {"CODIGO", std::string("EU")},
                    {"DESCRIP", std::string("Euros")}});
    auto lines = CHECK_CAMBIO(*db, "HOTEL");
    ASSERT_EQ(lines.size(), 2u);  // a currency without any rate is stale too
    show_stale_rates(inst->port, lines);
    EXPECT_EQ(shown().back(), "Atención: " + lines[0] + "\n" + lines[1]);
    edit_business([](WDBTable& t) { t.FieldPut("CANT_MON", Decimal(0)); });
    EXPECT_TRUE(CHECK_CAMBIO(*db, "HOTEL").empty());
}

INSTANTIATE_TEST_SUITE_P(Login, LoginTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

TEST(LoginIdleLock, LockFollowsTheIdleLimitUnlessSwitchedOff) {
    Session s;
    s.logged_in = true;
    AppSettings a;
    a.XAPP_MAX_MESSAGETIME = 600000;
    EXPECT_FALSE(idle_lock_due(s, a, 1000, 600999));
    EXPECT_TRUE(idle_lock_due(s, a, 1000, 601000));
    // An unlock after the last input restarts the count.
    end_lock(s, 300000);
    EXPECT_FALSE(idle_lock_due(s, a, 1000, 601000));
    begin_lock(s);
    EXPECT_FALSE(idle_lock_due(s, a, 0, 10000000));
    EXPECT_FALSE(lock_request_applies(s, true, false));
    end_lock(s, 0);
    a.XAPP_MESSAGE_NOCHECK = 1;
    EXPECT_FALSE(idle_lock_due(s, a, 0, 10000000));
}

TEST(LoginModuleTable, SpaAndUnknownModules) {
    ModuleInfo spa = module_info("SPA");
    EXPECT_EQ(spa.title + "/" + spa.EXT_MODULO, "SPA Quartzen/SPA");
    EXPECT_TRUE(spa.login);
    EXPECT_EQ(spa.start, std::vector<int>{6415});
    ModuleInfo unknown = module_info("NUEVO", "Mi ventana");
    EXPECT_EQ(unknown.title + "/" + unknown.EXT_MODULO, "Mi ventana/XXX");
}
