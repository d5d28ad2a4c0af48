// A screen shows the name of the business it works on.
#include "gui/framework/show_company.h"

#include <QLabel>

#include "data/table_ops.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/wdiag.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

TEST(ShowCompany, WritesTheBusinessNameIntoControlMinus100) {
    qz::test::TestInstall install(qz::test::Engine::SQLite);
    auto db = install.open();
    {
        auto t = data::USE(*db, "NEGOCIOS");
        t->Append();
        t->FieldPut("CODIGO", std::string("SPA"));
        t->FieldPut("DESCRIP", std::string("Quartzen Spa & Termas"));
        t->Commit();
        data::KILLTABLA(*db, t);
    }
    WDIAG screen(nullptr, "CLIENTE");
    screen.setAttribute(Qt::WA_DeleteOnClose, false);
    auto* label = screen.Add(new QLabel(&screen), -100);
    SHOW_COMPANY(screen, *db, "SPA");
    EXPECT_EQ(label->text(), "Quartzen Spa & Termas");
    SHOW_COMPANY(screen, *db, "SP");
    EXPECT_EQ(label->text(), "") << "a code is not matched by its beginning";
}

}  // namespace
}  // namespace qz::gui
