// The inventory screens over the demonstration boutique, opened from the menu: a receipt typed
// by hand puts units in and an issue beyond the shelf is refused with the form still open, the
// movement list shows its lines, warehouses are added, and an article carries its inventory
// fields and bar codes from "Servicios y Artículos".
#include "gui/pos/inventory/inventory_screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "domain/pos/articles.h"
#include "domain/pos/inventory_codes.h"
#include "gui/browse/wblistbox.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/main_window_fixture.h"
#include "gui/pos/inventory/commands.h"
#include "gui/spa/master/commands.h"
#include "gui/spa/master/spa_master_screens.h"

namespace qz::gui {
namespace {

namespace pos = domain::pos;

class InventoryScreenTest : public test::MainWindowFixture {
protected:
    MasterListScreen* open(int command) { return dynamic_cast<MasterListScreen*>(choose(command)); }
    pos::ArticleStock stock(const std::string& article, const std::string& warehouse = "01") {
        return pos::read_article_stock(*ctx.db, "HOTEL", warehouse, article)
            .value_or(pos::ArticleStock{});
    }
    // Types a movement into the form that opens next; Cancel when it refused it.
    static void type_movement(const QString& warehouse, const QString& concept_code,
                              const QString& article, const QString& quantity,
                              const QString& cost) {
        test::when_modal([=] {
            QWidget* form = QApplication::activeModalWidget();
            EXPECT_EQ(form->objectName(), "MOV_INV_F");
            auto choose_code = [form](int id, const QString& code) {
                auto* c = form->findChild<QComboBox*>(QString::number(id));
                c->setCurrentIndex(c->findData(code));
            };
            choose_code(kIvWarehouse, warehouse);
            choose_code(kIvConcept, concept_code);
            const std::pair<int, QString> texts[] = {{kIvDocument, "AJ-1"},
                                                     {kIvArticle, article},
                                                     {kIvQuantity, quantity},
                                                     {kIvCost, cost}};
            for (const auto& [id, text] : texts)
                form->findChild<QLineEdit*>(QString::number(id))->setText(text);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (QApplication::activeModalWidget() == form)
                QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    }
    QPointer<MasterListScreen> screen;
};

TEST_F(InventoryScreenTest, AReceiptPutsUnitsInAndAnIssueBeyondTheShelfIsRefused) {
    ASSERT_EQ(stock("ACE003").quantity, Decimal(2));
    type_movement("01", "02", "ace003", "10", "3,100.00");
    choose(kCmdManualMovement);
    EXPECT_EQ(stock("ACE003").quantity, Decimal(12));
    EXPECT_EQ(stock("ACE003").average_cost, Decimal::parse("3066.6667"))
        << "(2 × 2900 + 10 × 3100) / 12";

    type_movement("01", "03", "7441001000011", "30", "0");  // ACE001 by its bar code: 24 left
    choose(kCmdManualMovement);
    EXPECT_EQ(boxes.last_text(), "ACE001: No hay suficientes existencias. Disponible: 24.00");
    EXPECT_EQ(stock("ACE001").quantity, Decimal(24));

    screen = open(kCmdInventoryMovements);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "ENC_INV_L");
    EXPECT_EQ(screen->grid()->nMaxRec(), 3) << "two receipts of the demonstration and this one";
    screen->grid()->setCurrentIndex(screen->grid()->model()->index(2, 0));
    press(screen, kIvDetail);
    auto* lines = dynamic_cast<MasterListScreen*>(active_screen());
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->objectName(), "DET_INV_L");
    EXPECT_EQ(lines->grid()->nMaxRec(), 1);
}

TEST_F(InventoryScreenTest, WarehousesAreAddedAndOneWithArticlesIsKept) {
    screen = open(kCmdWarehouses);
    ASSERT_TRUE(screen);
    EXPECT_EQ(screen->objectName(), "BODEGAS");
    fill_form({{kIvCode, "03"}, {kIvName, "Bodega del Gimnasio"}});
    press(screen, kListAdd);
    ASSERT_TRUE(pos::read_warehouse(*ctx.db, "HOTEL", "03"));
    screen->grid()->setCurrentIndex(screen->grid()->model()->index(0, 0));  // 01
    press(screen, kListDelete);
    EXPECT_EQ(boxes.last_text(), "La bodega tiene artículos definidos; elimínelos primero...");
    EXPECT_TRUE(pos::read_warehouse(*ctx.db, "HOTEL", "01"));

    auto* stock_list = open(kCmdStock);
    ASSERT_TRUE(stock_list);
    EXPECT_EQ(stock_list->objectName(), "ARTICULO_B");
    EXPECT_GE(stock_list->grid()->nMaxRec(), 15);
}

TEST_F(InventoryScreenTest, AnArticleCarriesItsInventoryFieldsAndBarCodes) {
    screen = open(kCmdSpaServices);
    ASSERT_TRUE(screen);
    test::when_modal([] {
        QWidget* form = QApplication::activeModalWidget();
        const std::pair<int, QString> texts[] = {
            {kFCode, "sal01"},     {kFName, "Sales de Baño Marinas"},
            {kFAltCode, "SALMAR"}, {kFLine, "BOU"},
            {kFSubline, "ACEI"},   {kFSuggested, "2"},
            {kFCost, "1,250.50"}};
        for (const auto& [id, text] : texts)
            form->findChild<QLineEdit*>(QString::number(id))->setText(text);
        form->findChild<QCheckBox*>(QString::number(kFStocked))->setChecked(true);
        form->findChild<QCheckBox*>(QString::number(kFNoStockCheck))->setChecked(true);
        QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(screen, kListAdd);
    const auto found = pos::find_article(*ctx.db, "HOTEL", "salmar");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->article.code, "SAL01");
    EXPECT_TRUE(found->article.stocked);
    EXPECT_TRUE(found->article.no_stock_check);
    EXPECT_EQ(found->article.suggested_quantity, Decimal(2));
    EXPECT_EQ(found->article.average_cost, Decimal::parse("1250.50"));

    // The first row is an article of the boutique (codes sort "ACE001" first).
    screen->grid()->setCurrentIndex(screen->grid()->model()->index(0, 0));
    press(screen, kServiceBarCodes);
    auto* codes = dynamic_cast<MasterListScreen*>(active_screen());
    ASSERT_TRUE(codes);
    EXPECT_EQ(codes->objectName(), "BARRAS_L");
    EXPECT_EQ(codes->grid()->nMaxRec(), 1);
    fill_form({{kIvCode, "7441001999999"}});
    press(codes, kListAdd);
    EXPECT_EQ(pos::find_article(*ctx.db, "HOTEL", "7441001999999")->article.code, "ACE001");
    EXPECT_EQ(codes->grid()->nMaxRec(), 2);
}

}  // namespace
}  // namespace qz::gui
