// The password changes: the forced one appears only when the password is too old and answers 1
// only for a stored change; every refusal of the domain keeps the dialog open; exhausted attempts
// close it, and in the voluntary change leave the application blocked.
#include "gui/session/password_dialogs.h"

#include "domain/session/password.h"
#include "session_dialog_fixture.h"

namespace qz::gui::test {
namespace {

class PasswordDialogTest : public SessionDialogFixture {
protected:
    void SetUp() override {
        SessionDialogFixture::SetUp();
        log_in("CAJERO", "CAJA2026");
    }
    // The demonstration's passwords last 90 days from today.
    void let_password_expire() { install.clock.freeze(DateTime{kToday + 91, "08:00:00"}); }
    void allow_attempts(int n) {
        edit_business([n](data::WDBTable& t) { t.FieldPut("INTENTOS", Decimal(n)); });
    }
    void fill(DIALOG_BOX& d, const QString& current, const QString& fresh, const QString& repeat) {
        retype(d, 501, current);
        retype(d, 502, fresh);
        retype(d, 503, repeat);
    }
};

TEST_F(PasswordDialogTest, TheForcedChangeAsksOnlyWhenDueAndCancelRefusesIt) {
    QTimer no_dialog;
    no_dialog.setSingleShot(true);
    QObject::connect(&no_dialog, &QTimer::timeout, [] {
        if (auto* modal = qobject_cast<DIALOG_BOX*>(QApplication::activeModalWidget())) {
            ADD_FAILURE() << "a password dialog opened";
            modal->EndDialog(kCmdCancel);
        }
    });
    no_dialog.start(0);
    EXPECT_EQ(ACT_CLAVE(context()), 1);
    no_dialog.stop();  // it answered without running a dialog's event loop

    let_password_expire();
    std::string shown;
    when_modal([&] {
        shown = QApplication::activeModalWidget()->objectName().toStdString();
        type_key(Qt::Key_Escape);
    });
    EXPECT_EQ(ACT_CLAVE(context()), 0);
    EXPECT_EQ(shown, "ACT_CLAVE");
}

TEST_F(PasswordDialogTest, EachRefusalKeepsTheFormOpenUntilAGoodPasswordIsStored) {
    // A minimum of 1 is raised to 3.
    edit_business([](data::WDBTable& t) { t.FieldPut("SIZE_CLAVE", Decimal(1)); });
    edit_user("CAJERO", [](data::WDBTable& t) { t.FieldPut("SIZE_CLAVE", Decimal(1)); });
    let_password_expire();
    PasswordChangeDialog dialog(context(), domain::ChangeOrigin::Forced);
    std::vector<bool> open_after;
    bool enter_moves = false;
    when_modal([&] {
        retype(dialog, 501, "caja2026");
        type_key(Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), "AB");
        type_key(Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), "AB");
        enter_moves = dialog.control_as<QLineEdit>(502)->text() == "AB" &&
                      dialog.control_as<QLineEdit>(503)->text() == "AB";
        press_ok(dialog);
        open_after.push_back(dialog.isVisible());
        fill(dialog, "CAJA2026", "ABC", "ABD");
        press_ok(dialog);
        open_after.push_back(dialog.isVisible());
        fill(dialog, "CAJA2026", "CAJA2026", "CAJA2026");
        press_ok(dialog);
        open_after.push_back(dialog.isVisible());
        fill(dialog, "CAJA2026", "pedi2026", "PEDI2026");
        press_ok(dialog);
        open_after.push_back(dialog.isVisible());
        close_if_open(dialog);
    });
    EXPECT_EQ(dialog.change(), PasswordChangeEnd::Changed);
    EXPECT_TRUE(enter_moves);
    EXPECT_EQ(open_after, (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "Error: La Clave Nueva debe tener al menos 3 dígitos",
                           "Error: La Clave de Acceso Nueva no coincide con la verificación",
                           "Error: La Clave de Acceso Nueva no puede ser igual a la actual",
                           "Informe: La Clave fue actualizada con Éxito"}));
    EXPECT_TRUE(domain::verify_password("PEDI2026", user("CAJERO")->str("PWD_HASH")));
}

TEST_F(PasswordDialogTest, TheLastWrongCurrentPasswordClosesTheForcedChangeWithZero) {
    allow_attempts(2);
    let_password_expire();
    std::vector<bool> open_after;
    when_modal([&] {
        auto& dialog = *qobject_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
        for (int i = 0; i < 2 && dialog.isVisible(); ++i) {
            fill(dialog, "MALA", "NUEVA1", "NUEVA1");
            press_ok(dialog);
            open_after.push_back(dialog.isVisible());
        }
        close_if_open(dialog);
    });
    EXPECT_EQ(ACT_CLAVE(context()), 0);
    EXPECT_EQ(open_after, (std::vector<bool>{true, false}));
    EXPECT_EQ(user("CAJERO")->num("BLOQUEADO"), Decimal(1));
}

TEST_F(PasswordDialogTest, TheVoluntaryChangeNeedsThePermissionAndBlocksTheWindowWhenExhausted) {
    QWidget main_window;
    edit_user("CAJERO", [](data::WDBTable& t) { t.FieldPut("PERMISO1", Decimal(0)); });
    EXPECT_FALSE(CH_PASSWD(context(), &main_window)) << "no dialog, only the reason";
    EXPECT_EQ(boxes(), std::vector<std::string>{"Error: No es permitido el Cambio de Clave..."});

    edit_user("CAJERO", [](data::WDBTable& t) { t.FieldPut("PERMISO1", Decimal(1)); });
    allow_attempts(1);
    std::string shown;
    when_modal([&] {
        auto& dialog = *qobject_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
        shown = dialog.objectName().toStdString();
        fill(dialog, "MALA", "NUEVA1", "NUEVA1");
        press_ok(dialog);
        close_if_open(dialog);
    });
    EXPECT_FALSE(CH_PASSWD(context(), &main_window));
    EXPECT_EQ(shown, "CH_PASSWD");
    EXPECT_EQ(boxes().back(), "ERROR: APLICACION BLOQUEADA!");
    EXPECT_FALSE(main_window.isEnabled());
}

}  // namespace
}  // namespace qz::gui::test
