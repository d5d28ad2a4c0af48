// The login dialog: what is typed reaches the domain upper case and with the business's code,
// a refusal keeps the dialog open for another try, exhausted attempts and exit requests close it,
// and old plain passwords still open the door once.
#include "gui/session/login_dialog.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <filesystem>
#include <fstream>

#include "domain/session/password.h"
#include "session_dialog_fixture.h"

namespace qz::gui::test {
namespace {

using domain::LoginOutcome;

const std::string kDenied = "Serie Quartzen: Acceso Denegado";

class LoginDialogTest : public SessionDialogFixture {
protected:
    // The dialog without its fade, so a screenshot of the test run would show it.
    LoginOptions options() {
        LoginOptions o;
        o.fade_in = false;
        return o;
    }
};

TEST_F(LoginDialogTest, TheRightPasswordTypedInLowerCaseOpensTheSession) {
    LoginDialog dialog(context(), options());
    std::string echo_before_ok;
    when_modal([&] {
        EXPECT_EQ(dialog.objectName(), "XLOGINUSR");
        EXPECT_EQ(dialog.windowTitle(), "Acceso a Quartzen");
        retype(dialog, 500, "supervisor");
        retype(dialog, 501, "quartzen");
        auto* password = dialog.control_as<QLineEdit>(501);
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        echo_before_ok = dialog.control_as<QLineEdit>(500)->text().toStdString() + "/" +
                         password->text().toStdString();
        press_ok(dialog);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Accepted);
    EXPECT_EQ(echo_before_ok, "SUPERVISOR/QUARTZEN");
    EXPECT_TRUE(boxes().empty());
    EXPECT_TRUE(session.logged_in);
    EXPECT_EQ(session.USER_NAME, "SUPERVISOR");
    EXPECT_EQ(ini.get("LAST_NEG", "LAST_NEG"), "HOTEL");
}

TEST_F(LoginDialogTest, EnterInTheNameMovesToThePasswordAndEnterThereLogsIn) {
    LoginDialog dialog(context(), options());
    bool moved = false, open_after_name = false;
    when_modal([&] {
        EXPECT_EQ(QApplication::focusWidget(), dialog.control(500)) << "the name comes first";
        QTest::keyClicks(QApplication::focusWidget(), "CAJERO");
        type_key(Qt::Key_Return);
        moved = QApplication::focusWidget() == dialog.control(501);
        open_after_name = dialog.isVisible();
        QTest::keyClicks(QApplication::focusWidget(), "CAJA2026");
        type_key(Qt::Key_Return);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Accepted);
    EXPECT_TRUE(moved);
    EXPECT_TRUE(open_after_name);
    EXPECT_EQ(session.USER_NAME, "CAJERO");
}

TEST_F(LoginDialogTest, AWrongPasswordIsDeniedAndTheDialogWaitsForTheNextTry) {
    LoginDialog dialog(context(), options());
    bool open_after_denial = false;
    std::string password_left;
    when_modal([&] {
        retype(dialog, 500, "SUPERVISOR");
        retype(dialog, 501, "CAJA2026");
        press_ok(dialog);
        open_after_denial = dialog.isVisible();
        password_left = dialog.control_as<QLineEdit>(501)->text().toStdString();
        retype(dialog, 501, "QUARTZEN");
        press_ok(dialog);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Accepted);
    EXPECT_TRUE(open_after_denial);
    EXPECT_EQ(password_left, "");
    EXPECT_EQ(boxes(), std::vector<std::string>{kDenied});
    EXPECT_EQ(script.shown()[0].style, kMbIconExclamation);
}

TEST_F(LoginDialogTest, ExhaustedAttemptsCloseTheDialogAndBlockTheAccount) {
    LoginDialog dialog(context(), options());
    std::vector<bool> open_after;
    when_modal([&] {
        retype(dialog, 500, "CAJERO");
        for (int i = 0; i < 3 && dialog.isVisible(); ++i) {
            retype(dialog, 501, "MALA");
            press_ok(dialog);
            open_after.push_back(dialog.isVisible());
        }
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Abandoned);
    EXPECT_EQ(open_after, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           kDenied, kDenied, kDenied,
                           "ERROR: Se ha excedido el número máximo de Intentos permitidos"}));
    EXPECT_FALSE(session.logged_in);
    EXPECT_EQ(user("CAJERO")->num("BLOQUEADO"), Decimal(1));
}

TEST_F(LoginDialogTest, APlainPasswordOfAnOlderInstallationLogsInAndIsStoredHashed) {
    edit_user("CAJERO", [](data::WDBTable& t) {
        t.FieldPut("PASSWORD", std::string("CAJA2026"));
        t.FieldPut("PWD_HASH", std::string());
        t.FieldPut("ADASIPA", Decimal(0));
    });
    LoginDialog dialog(context(), options());
    when_modal([&] {
        retype(dialog, 500, "cajero");
        retype(dialog, 501, "caja2026");
        press_ok(dialog);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Accepted);
    EXPECT_EQ(user("CAJERO")->num("ADASIPA"),
              Decimal(static_cast<int>(domain::StoredForm::Hashed)));
    EXPECT_EQ(trim(user("CAJERO")->str("PASSWORD")), "") << "the plain password is gone";
    EXPECT_TRUE(domain::verify_password("CAJA2026", user("CAJERO")->str("PWD_HASH")));
}

TEST_F(LoginDialogTest, TheListShowsNamesSubmitsCodesAndStartsAtTheLastBusiness) {
    add("NEGOCIOS", {{"CODIGO", std::string("SPA2")},
                     {"DESCRIP", std::string("Spa Centro")},
                     {"INTENTOS", Decimal(3)}});
    ini.set("LAST_NEG", "LAST_NEG", "SPA2");
    LoginDialog dialog(context(), options());
    QString preselected;
    when_modal([&] {
        auto* list = dialog.control_as<QComboBox>(601);
        EXPECT_EQ(list->count(), 2);
        preselected = list->currentText();
        list->setCurrentIndex(list->findText("Hotel Quartzen Spa & Resort"));
        retype(dialog, 500, "SUPERVISOR");
        retype(dialog, 501, "QUARTZEN");
        press_ok(dialog);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Accepted);
    EXPECT_EQ(preselected, "Spa Centro");
    EXPECT_EQ(session.XU_COMP, "HOTEL");
    EXPECT_EQ(ini.get("LAST_NEG", "LAST_NEG"), "HOTEL");
}

TEST_F(LoginDialogTest, AnExitRequestClosesTheDialogAsInterrupted) {
    LoginOptions o = options();
    o.exit_check = std::chrono::milliseconds(10);
    LoginDialog dialog(context(), o);
    bool closed = false;
    when_modal([&] {
        QTest::qWait(30);
        EXPECT_TRUE(dialog.isVisible()) << "no request yet";
        std::ofstream(install.home() + "/BLOQUEAD.!") << std::string(18, '0');
        closed = QTest::qWaitFor([&] { return !dialog.isVisible(); }, 2000);
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Abandoned);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(dialog.interrupted());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(LoginDialogTest, TheInstallationsLogoAndTheServersSessionsAndVersionAreShown) {
    QImage logo(120, 48, QImage::Format_RGB32);
    logo.fill(QColor(0, 120, 110));
    std::filesystem::create_directories(install.home() + "/BMP");
    ASSERT_TRUE(logo.save(QString::fromStdString(install.home() + "/BMP/LOGO32.BMP"), "BMP"));
    LoginOptions o = options();
    o.server_info = [] { return LoginServerInfo{4, "15.4"}; };
    LoginDialog dialog(context(), o);
    QSize picture;
    QString server;
    when_modal([&] {
        picture = dialog.findChild<QLabel*>("picture")->pixmap().size();
        server = dialog.findChild<QLabel*>("server_info")->text();
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.Login(), LoginOutcome::Abandoned);
    EXPECT_EQ(picture, QSize(120, 48));
    EXPECT_EQ(server, "Sesiones: 4     Versión: 15.4");
}

}  // namespace
}  // namespace qz::gui::test
