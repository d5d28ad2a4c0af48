// The print formats as the user meets them: "Cuentas por Cobrar › Documentos › Formatos de
// Impresión" lists the business's formats, "Agregar Formato" adds one through the form,
// "Diseñar Formato" opens its designer, where a field is added, dragged and saved, and the
// test page opens in the preview with sample values.
#include <QComboBox>
#include <QPushButton>

#include "data/order_key.h"
#include "domain/ledger/print_formats.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/ledger/formats/format_designer.h"
#include "gui/ledger/formats/format_list.h"
#include "gui/main_window_fixture.h"
#include "gui/print/preview.h"
#include "gui/print/print_gui_fakes.h"

namespace qz::gui {
namespace {

constexpr int kAdd = 6550, kDesign = 6553;

class FormatScreensTest : public test::MainWindowFixture {};

TEST_F(FormatScreensTest, AFormatIsAddedFromTheMenuAndAFieldPlacedOnItsDesigner) {
    test::PrintContextScope printing;
    auto* list = dynamic_cast<MasterListScreen*>(choose(kFormatListCommand));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "FORM_DOC");
    EXPECT_EQ(list->grid()->nMaxRec(), 3);  // the shipped invoice, receipt and ticket

    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        form->findChild<QLineEdit*>("1")->setText("zz");
        form->findChild<QLineEdit*>("2")->setText(QString::fromUtf8("Nota de crédito"));
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    ASSERT_TRUE(edit(kAdd));
    ASSERT_TRUE(domain::load_format(*ctx.db, "HOTEL", "ZZ"));
    EXPECT_EQ(list->grid()->nMaxRec(), 4);

    list->grid()->seek_nearest(data::order_key("FORM_DOC", "FORM_DOC", {"HOTEL", "ZZ"}));
    ASSERT_TRUE(edit(kDesign));
    auto* designer = screen_as<FormatDesigner>("FORMA_DOC");
    ASSERT_TRUE(designer);
    EXPECT_EQ(designer->draft().format().code, "ZZ");

    auto* fields = designer->findChild<QComboBox*>(QString::number(FormatDesigner::kIdFieldChoice));
    fields->setCurrentIndex(fields->findData("NOM_CLIENT"));
    QTest::mouseClick(
        designer->findChild<QPushButton*>(QString::number(FormatDesigner::kIdAddField)),
        Qt::LeftButton);
    ASSERT_EQ(designer->selected(), 0);
    // Dropped between cells: it lands on the nearest half cell.
    designer->drag_to(0, 5.3, 10.2);
    QTest::mouseClick(designer->findChild<QPushButton*>(QString::number(FormatDesigner::kIdSave)),
                      Qt::LeftButton);
    EXPECT_EQ(boxes.last_text(), "Formato grabado.");
    const auto stored = domain::load_format(*ctx.db, "HOTEL", "ZZ");
    ASSERT_EQ(stored->header.size(), 1u);
    EXPECT_EQ(stored->header[0].field, "NOM_CLIENT");
    EXPECT_EQ(stored->header[0].row, 5.5);
    EXPECT_EQ(stored->header[0].column, 10);

    QTest::mouseClick(
        designer->findChild<QPushButton*>(QString::number(FormatDesigner::kIdTestPage)),
        Qt::LeftButton);
    settle();
    auto* preview = dynamic_cast<DISPMETA*>(active_screen());
    ASSERT_TRUE(preview);
    ASSERT_EQ(preview->page_count(), 1);
    bool customer = false;
    for (const auto& op : preview->page(1).ops)
        customer = customer || op.text == "Viajes Pura Vida S.A.";
    EXPECT_TRUE(customer);
}

}  // namespace
}  // namespace qz::gui
