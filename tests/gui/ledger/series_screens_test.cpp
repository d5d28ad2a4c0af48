// The number series screens over the demonstration business: the maintenance opened from the
// menu shows its series by module, refuses a bad entry while the form stays open, and deletes
// only after the question; the range editor refuses a range without an end and saves a good one.
#include "gui/ledger/series/series_screens.h"

#include <QLineEdit>
#include <QPushButton>

#include "domain/ledger/series.h"
#include "domain/ledger/series_range.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/treeview.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

class SeriesScreenTest : public test::MainWindowFixture {
protected:
    // Types into the open form and presses OK; then Cancel when the form is still open.
    void fill_form(std::vector<std::pair<int, QString>> values, bool* stayed_open = nullptr) {
        test::when_modal([values, stayed_open] {
            QWidget* form = QApplication::activeModalWidget();
            for (const auto& [id, text] : values)
                form->findChild<QLineEdit*>(QString::number(id))->setText(text);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (stayed_open) *stayed_open = QApplication::activeModalWidget() == form;
            if (QApplication::activeModalWidget() == form)
                QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    }
    std::vector<std::string> module_nodes(TREEVIEW* tree) {
        std::vector<std::string> out;
        for (const auto& n : tree->GetRoot()->children()) out.push_back(n->TreeItem().GetText());
        return out;
    }
};

TEST_F(SeriesScreenTest, TheMaintenanceListsSeriesByModuleAndRefusesBadEntries) {
    auto* screen = dynamic_cast<MANT_SER*>(choose(2841));
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "MANT_SER");
    const auto modules = module_nodes(screen->tree());
    ASSERT_GE(modules.size(), 4u);
    EXPECT_EQ(modules.front(), "00 Contabilidad");
    EXPECT_NE(std::find(modules.begin(), modules.end(), "09 Hotelería"), modules.end());
    ASSERT_TRUE(screen->tree()->FIND_CARGO(std::string("SSPA")));

    bool stayed_open = false;
    fill_form({{kSCode, "CAJA9"}, {kSName, "Tiquetes Caja 9"}, {kSNumber, "-5"}}, &stayed_open);
    press(screen, kSeriesAdd);
    EXPECT_TRUE(stayed_open);
    EXPECT_EQ(boxes.last_text(), "El Número actual no puede ser negativo...");
    EXPECT_FALSE(domain::read_series(*ctx.db, "HOTEL", "CAJA9"));

    fill_form({{kSCode, "caja9"}, {kSName, "Tiquetes Caja 9"}, {kSPrefix, "C9"}});
    press(screen, kSeriesAdd);
    ASSERT_TRUE(domain::read_series(*ctx.db, "HOTEL", "CAJA9"));
    TREELINK* added = screen->tree()->FIND_CARGO(std::string("SCAJA9"));
    ASSERT_TRUE(added);
    EXPECT_EQ(screen->tree()->current_node(), added);

    fill_form({{kSCode, "FACTURA"}, {kSName, "Otra"}});
    press(screen, kSeriesAdd);
    EXPECT_EQ(boxes.last_text(), domain::kSeriesDuplicate);

    boxes.then(kIdCancel);
    press(screen, kSeriesDelete);
    EXPECT_EQ(boxes.last_text(), "Desea borrar el Serial?");
    EXPECT_TRUE(domain::read_series(*ctx.db, "HOTEL", "CAJA9"));
    screen->tree()->select_node(screen->tree()->FIND_CARGO(std::string("SCAJA9")));
    boxes.then(kIdOk);
    press(screen, kSeriesDelete);
    EXPECT_FALSE(domain::read_series(*ctx.db, "HOTEL", "CAJA9"));
    EXPECT_FALSE(screen->tree()->FIND_CARGO(std::string("SCAJA9")));
}

TEST_F(SeriesScreenTest, TheRangeEditorRefusesARangeWithoutAnEndAndSavesAGoodOne) {
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        EXPECT_EQ(form->objectName(), "MOD_SERI");
        auto* next = form->findChild<QLineEdit*>(QString::number(kRNext));
        EXPECT_EQ(next->text(), "50001");
        next->setText("1001");
        form->findChild<QLineEdit*>(QString::number(kRLast))->setText("0");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
        ASSERT_EQ(QApplication::activeModalWidget(), form) << "stays open after the refusal";
        form->findChild<QLineEdit*>(QString::number(kRLast))->setText("2000");
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    EXPECT_TRUE(open_series_range(window.get(), ctx, "TIQ_CAJA2"));
    ASSERT_GE(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown().front().text, domain::kNoLastSerial);
    const auto s = domain::read_series(*ctx.db, "HOTEL", "TIQ_CAJA2");
    EXPECT_EQ(s->number, 1000);
    EXPECT_EQ(s->limit, 2000);
}

}  // namespace
}  // namespace qz::gui
