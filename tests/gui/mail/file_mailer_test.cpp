// The e-mail step of reports: the LEE_EMAIL checks, and the choice between leaving the message
// to the mail service and sending it at once, made by the age of the service's heartbeat.
#include <QLabel>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "gui/mail/lee_email.h"
#include "gui/mail/session_file_mailer.h"
#include "gui/session/session_dialog_fixture.h"
#include "services/mail/mail_queue.h"

namespace qz::gui {
namespace {

namespace fs = std::filesystem;
using test::when_modal;

class FileMailerTest : public test::SessionDialogFixture {
protected:
    void SetUp() override {
        SessionDialogFixture::SetUp();
        log_in("SUPERVISOR", "QUARTZEN");
        edit_user("SUPERVISOR", [](data::WDBTable& t) { t.FieldPut("EMAIL", "jefe@hotel.test"); });
        folder = fs::path(install.home()) / "TEMP";
        fs::create_directories(folder);
        std::ofstream(folder / "R.PDF") << "%PDF-1.4";
        settings.XEMAILHOST = "127.0.0.1";
        settings.XEMAIL_SMTP_PORT = 1;  // nothing listens: a direct send cannot connect
    }
    static DIALOG_BOX& dialog() {
        return *dynamic_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
    }
    static std::string label(int id) {
        return dialog().control_as<QLabel>(id)->text().toStdString();
    }
    FileMailRequest pdf_request() {
        return FileMailRequest{folder / "R.PDF", "Ventas del día", "Ventas", true, false};
    }
    // The last row of the queue: ENVIADO, ERR_COUNT, HTML_ATTCH.
    std::tuple<int, int, std::string> last_row() {
        auto q = data::USE(*db, "E_MSGS");
        q->GoBottom();
        EXPECT_FALSE(q->Eof());
        return {static_cast<int>(q->num("ENVIADO").to_int()),
                static_cast<int>(q->num("ERR_COUNT").to_int()), trim(q->str("HTML_ATTCH"))};
    }

    fs::path folder;
};

TEST_F(FileMailerTest, LeeEmailRefusesMissingFileAndBadAddress) {
    std::optional<MailTarget> got;
    when_modal([this] {
        EXPECT_EQ(label(kLeeState1), "MAILSERVER OK...");
        EXPECT_EQ(label(kLeeState2), "");
        retype(dialog(), kLeeFile, "NADA.PDF");
        press_ok(dialog());
        retype(dialog(), kLeeFile, "R.PDF");
        retype(dialog(), kLeeRecipient, "jefe@hotel");
        press_ok(dialog());
        retype(dialog(), kLeeRecipient, "jefe@hotel.test");
        press_ok(dialog());
    });
    got = LEE_EMAIL(nullptr, {folder.string(), "R.PDF", ""}, -1);
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{"Error: Archivo no se encuentra en la dirección indicada",
                                        "Error: email inválido"}));
    ASSERT_TRUE(got);
    EXPECT_EQ(got->address, "jefe@hotel.test");

    when_modal([this] {
        EXPECT_EQ(label(kLeeState1), "El MAILSERVER no se encuentra trabajando...");
        EXPECT_EQ(label(kLeeState2), "Se intentará enviar el mail directamente...");
        dialog().EndDialog(kCmdCancel);
    });
    EXPECT_FALSE(LEE_EMAIL(nullptr, {folder.string(), "R.PDF", ""}, 301));
}

TEST_F(FileMailerTest, LiveServiceGetsTheQueueSilentOneIsBypassed) {
    FileMailer mailer = make_file_mailer(context(), install.home());
    services::write_heartbeat(install.home(), std::time(nullptr) - 10);
    when_modal([] {
        EXPECT_EQ(dialog().control_as<QLineEdit>(kLeeRecipient)->text(), "jefe@hotel.test");
        press_ok(dialog());
    });
    EXPECT_TRUE(mailer(nullptr, pdf_request()));
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0],
              "Confirmación: Archivo guardado en Espera por enviar por MAILSERVER\r\n"
              "Info: Ventas del día\r\nDestino: jefe@hotel.test");
    auto [sent, errors, attach] = last_row();
    EXPECT_EQ(sent, 0);
    EXPECT_EQ(errors, 0);  // nothing was tried: the service will send it
    EXPECT_EQ(attach.rfind("Ventas (", 0), 0u);
    EXPECT_TRUE(fs::exists(folder / attach));
    EXPECT_FALSE(fs::exists(folder / "R.PDF"));

    // The service has been silent for more than 300 seconds: the mail goes at once.
    std::ofstream(folder / "R.PDF") << "%PDF-1.4";
    services::write_heartbeat(install.home(), std::time(nullptr) - 301);
    when_modal([] { press_ok(dialog()); });
    EXPECT_FALSE(mailer(nullptr, pdf_request()));
    EXPECT_EQ(boxes().back(), "Error: Error conectando SMTP");
    auto [sent2, errors2, attach2] = last_row();
    EXPECT_EQ(sent2, 0);
    EXPECT_EQ(errors2, 1);
}

TEST_F(FileMailerTest, RefusalsBeforeTheDialog) {
    FileMailer mailer = make_file_mailer(context(), install.home());
    session.XU_COMP.clear();
    EXPECT_FALSE(mailer(nullptr, pdf_request()));
    session.XU_COMP = "HOTEL";
    FileMailRequest grid{folder / "NOFOLDER" / "G.XLS", "Grid", "", false, true};
    EXPECT_FALSE(mailer(nullptr, grid));
    EXPECT_EQ(boxes(),
              (std::vector<std::string>{
                  "Error: Error en Código de Usuario utilizado",
                  "Error: Error generando Archivo XLS.  Reporte posiblemente sin datos?"}));
}

}  // namespace
}  // namespace qz::gui
