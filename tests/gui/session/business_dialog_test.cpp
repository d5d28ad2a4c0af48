// The change of business asks the user again, in the business chosen, and moves the session
// only when that business accepts.
#include "gui/session/business_dialog.h"

#include <QLabel>

#include "domain/session/password.h"
#include "session_dialog_fixture.h"

namespace qz::gui::test {
namespace {

using domain::LoginOutcome;

using LoginBusinessDialogTest = SessionDialogFixture;

TEST_F(LoginBusinessDialogTest, LoginInAnotherBusinessMovesTheSessionOnlyWithItsPassword) {
    add("NEGOCIOS", {{"CODIGO", std::string("SPA2")},
                     {"DESCRIP", std::string("Spa Centro")},
                     {"INTENTOS", Decimal(3)}});
    add("USUARIOS", {{"NEGOCIO", std::string("SPA2")},
                     {"CODIGO", Decimal(7)},
                     {"NOMBRE", std::string("CAJERO")},
                     {"USUARIO", std::string("CAJERO CENTRO")},
                     {"ABREVIA", std::string("CJC")},
                     {"PWD_HASH", domain::hash_password("CENTRO")},
                     {"ADASIPA", Decimal(2)}});
    log_in("CAJERO", "CAJA2026");
    BusinessDialog dialog(context(), "SPA2");
    std::string business, name, business_before;
    when_modal([&] {
        auto& d = *qobject_cast<DIALOG_BOX*>(QApplication::activeModalWidget());
        business = d.findChild<QLabel*>("business")->text().toStdString();
        name = d.control_as<QLineEdit>(500)->text().toStdString();
        retype(d, 501, "CAJA2026");  // the password of the other business
        type_key(Qt::Key_Return);
        business_before = session.XU_COMP;
        retype(d, 501, "centro");
        type_key(Qt::Key_Return);
        close_if_open(d);
    });
    EXPECT_EQ(dialog.change(), LoginOutcome::Accepted);
    EXPECT_EQ(business, "Spa Centro");
    EXPECT_EQ(name, "CAJERO");
    EXPECT_EQ(business_before, "HOTEL");
    EXPECT_EQ(session.XU_COMP, "SPA2");
    EXPECT_EQ(session.XUSER_NUMBER, 7);
}

}  // namespace
}  // namespace qz::gui::test
