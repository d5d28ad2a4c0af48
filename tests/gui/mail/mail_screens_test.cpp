// "Parámetros Globales" stores DEFMAIL and applies it to the session at once; its test send
// tells the failure; "Log Envío de emails" lists the queue newest first.
#include "gui/mail/mail_screens.h"

#include <QTableView>

#include "gui/framework/wdiag.h"
#include "gui/session/session_dialog_fixture.h"
#include "services/mail/mail_settings.h"

namespace qz::gui {
namespace {

using test::when_modal;

class MailScreensTest : public test::SessionDialogFixture {
protected:
    static DIALOG_BOX& dialog() {
        return *dynamic_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
    }
};

TEST_F(MailScreensTest, SettingsSaveAppliesAndTestSendReportsFailure) {
    domain::load_settings(settings, *db);
    when_modal([] {
        auto& d = dialog();
        retype(d, kMsHost, "127.0.0.1");
        // A port out of range or a typed 0 is refused, never cut or taken as the standard one.
        for (const char* port : {"70000", "0"}) {
            retype(d, kMsSmtpPort, port);
            press_ok(d);
        }
        retype(d, kMsSmtpPort, "1");  // nothing listens there
        retype(d, kMsTestAddr, "nadie");
        QTest::mouseClick(d.control(kMsTestButton), Qt::LeftButton);
        retype(d, kMsTestAddr, "prueba@hotel.test");
        QTest::mouseClick(d.control(kMsTestButton), Qt::LeftButton);
        retype(d, kMsDest, "soporte@");
        press_ok(d);
        retype(d, kMsDest, "soporte@hotel.test");
        press_ok(d);
    });
    EXPECT_TRUE(open_mail_settings(nullptr, *db, settings, install.home()));
    const auto shown = boxes();
    ASSERT_EQ(shown.size(), 5u);
    const std::string bad_port =
        "Error: Puerto SMTP inválido (de 1 a 65535; en blanco, el puerto estándar)";
    EXPECT_EQ(shown[0], bad_port);
    EXPECT_EQ(shown[1], bad_port);
    EXPECT_EQ(shown[2], "Error: email inválido");
    EXPECT_EQ(shown[3].rfind("Error: Error enviando mail: -", 0), 0u) << shown[3];
    EXPECT_EQ(shown[4], "Error: email inválido: soporte@");
    EXPECT_EQ(settings.XEMAILHOST, "127.0.0.1");
    EXPECT_EQ(settings.XEMAIL_SMTP_PORT, 1);
    EXPECT_EQ(settings.XEMAILDEST, "soporte@hotel.test");
    const auto stored = services::read_mail_form(*db);
    EXPECT_EQ(stored.HOST, "127.0.0.1");
    EXPECT_EQ(stored.USERADDR, "spa@quartzen.local");
}

TEST_F(MailScreensTest, LogListsTheQueue) {
    for (const char* hora : {"08:00:00", "09:00:00"})
        add("E_MSGS", {{"FECHA", Date(2026, 3, 15)},
                       {"HORA", std::string(hora)},
                       {"TO_USER", std::string("a@b.cr")}});
    WDIAG* screen = open_mail_log(nullptr, *db);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "LOG_EMAILS");
    auto* view = screen->control_as<QTableView>(kMailLogGrid);
    ASSERT_EQ(view->model()->rowCount(), 2);
    // The grid lists the queue as written and stands on the newest message, the last row.
    EXPECT_EQ(view->currentIndex().row(), 1);
    EXPECT_EQ(view->model()->index(1, 1).data().toString().trimmed(), "09:00:00");
    EXPECT_EQ(view->model()->index(1, 4).data().toString().trimmed(), "No");
    screen->close();
}

}  // namespace
}  // namespace qz::gui
