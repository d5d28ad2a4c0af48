// The point-of-sale screen over the demonstration hotel, opened from the menu: the lines stay
// closed until a register is taken, the register's defaults, locks and disabled buttons reach
// the header and the buttons, codes typed fill rows and the large total, Delete and Insert edit
// the lines, the side dialogs feed the sale, Cancel asks, a double OK saves at most once, and a
// spa invoice takes the workstation's register by itself.
#include "gui/pos/sale/fac_pos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/cash/register_opening.h"
#include "domain/pos/sale_save.h"
#include "gui/cash/register_dialogs.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/row_chooser.h"
#include "gui/main_window_fixture.h"
#include "gui/pos/sale/commands.h"
#include "gui/pos/sale/fac_pos_screen.h"
#include "gui/spa/reservations/reservation_screens.h"
#include "support/record_edit.h"

namespace qz::gui {
namespace {

using namespace fac_pos;
namespace pos = domain::pos;
namespace dc = domain::cash;

QWidget* modal() { return QApplication::activeModalWidget(); }

class FacPosTest : public test::MainWindowFixture {
protected:
    FAC_POS* open_screen_from_menu() {
        choose(kCmdPointOfSale);
        return screen_as<FAC_POS>("FAC_POS");
    }
    // Takes the spa register through the open dialog with Laura's codes.
    void take_register(FAC_POS* s) {
        answer_open_dialog();
        press(s, kOpenRegister);
    }
    static void answer_open_dialog() {
        test::when_modal([] {
            // The demonstration's only spa register is offered already chosen.
            auto* r = modal()->findChild<QComboBox*>(QString::number(kDlgRegister));
            EXPECT_EQ(r->currentData().toString(), "SPA1");
            r->setCurrentIndex(r->findData("SPA1"));
            auto* o = modal()->findChild<QComboBox*>(QString::number(kDlgOperator));
            o->setCurrentIndex(o->findData("0001"));
            modal()->findChild<QLineEdit*>(QString::number(kDlgOperatorCode))->setText("1111");
            modal()->findChild<QLineEdit*>(QString::number(kDlgRegisterCode))->setText("spa1");
            QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
    }
    void set_register_flag(const char* field) {
        data::Table t = data::USE(*ctx.db, "CAJA_ENC", "CAJA_ENC");
        ASSERT_TRUE(t->Seek(data::order_key("CAJA_ENC", "CAJA_ENC", {"HOTEL", "SPA1"})));
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut(field, Decimal(1));
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(*ctx.db, t);
    }
    static QTableWidget* grid(QWidget* s) {
        return s->findChild<QTableWidget*>(QString::number(kLines));
    }
    static QString cell(QWidget* s, int r, int c) {
        auto* item = grid(s)->item(r, c);
        return item ? item->text() : QString();
    }
    static void type_cell(QWidget* s, int r, int c, const QString& text) {
        grid(s)->item(r, c)->setText(text);
        settle();
    }
    static void key(QWidget* s, int row, Qt::Key k) {
        grid(s)->setCurrentCell(row, 0);
        QTest::keyClick(grid(s), k);
        settle();
    }
    static QString text(QWidget* s, int id) {
        if (auto* l = s->findChild<QLabel*>(QString::number(id))) return l->text();
        return s->findChild<QLineEdit*>(QString::number(id))->text();
    }
    static bool enabled(QWidget* s, int id) {
        return s->findChild<QWidget*>(QString::number(id))->isEnabled();
    }
    long count_of(const std::string& message) const {
        long n = 0;
        for (const auto& b : boxes.shown()) n += b.text == message;
        return n;
    }
};

TEST_F(FacPosTest, TheLinesOpenOnlyWithARegisterWhoseDefaultsAndLocksReachTheHeader) {
    set_register_flag("BLOQUEO2");  // discounts
    set_register_flag("BLOQUEO7");  // save to order
    FAC_POS* s = open_screen_from_menu();
    ASSERT_TRUE(s);
    EXPECT_FALSE(grid(s)->isEnabled()) << "an invoice waits for its register";
    EXPECT_EQ(text(s, kRegisterLabel), "Caja: ");
    const QStringList heads = {"Código", "Descripción del Articulo",
                               "Precio", "Cantidad",
                               "Desc",   "Imp.",
                               "Total",  "Proveedor",
                               "Nombre"};
    ASSERT_EQ(grid(s)->columnCount(), heads.size());
    for (int c = 0; c < heads.size(); ++c)
        EXPECT_EQ(grid(s)->horizontalHeaderItem(c)->text(), heads[c]);

    take_register(s);
    EXPECT_TRUE(grid(s)->isEnabled());
    EXPECT_EQ(text(s, kRegisterLabel), "Caja: Caja Spa");
    EXPECT_EQ(text(s, kOperatorLabel), "Digitador: Laura Chaves Brenes");
    EXPECT_EQ(text(s, kCustomer), "CONTADO");
    EXPECT_EQ(text(s, kConcept), "FC");
    EXPECT_EQ(text(s, kWarehouse), "01");
    EXPECT_FALSE(enabled(s, kWarehouse)) << "REST_BOD locks the warehouse";
    EXPECT_FALSE(enabled(s, kWarehouseList));
    EXPECT_TRUE(enabled(s, kConcept));
    EXPECT_FALSE(enabled(s, kOpenRegister));
    EXPECT_TRUE(enabled(s, kCloseRegister));
    EXPECT_FALSE(text(s, kNumber).isEmpty()) << "the next invoice number is previewed";
    EXPECT_FALSE(enabled(s, kDiscounts));
    EXPECT_FALSE(enabled(s, kToOrder));
    EXPECT_TRUE(enabled(s, kToProforma));
    EXPECT_TRUE(enabled(s, kTenders));

    // A locked field refuses what is typed into it; an unknown code is refused with the
    // draft's message and the header keeps its value.
    auto* warehouse = s->findChild<QLineEdit*>(QString::number(kWarehouse));
    warehouse->setText("99");
    emit warehouse->editingFinished();
    EXPECT_EQ(text(s, kWarehouse), "01");
    auto* agent = s->findChild<QLineEdit*>(QString::number(kAgent));
    const QString before = agent->text();
    agent->setText("ZZ");
    emit agent->editingFinished();
    EXPECT_EQ(boxes.last_text(), "El item Agente se encuentra mal definido...");
    EXPECT_EQ(agent->text(), before);
}

TEST_F(FacPosTest, CodesFillRowsAndTotalsWhileDeleteAndInsertEditTheLines) {
    FAC_POS* s = open_screen_from_menu();
    take_register(s);
    type_cell(s, 0, 0, "MAS001");
    EXPECT_EQ(cell(s, 0, 1), "Masaje relajante (60 min)");
    EXPECT_EQ(cell(s, 0, 3), "1.00");
    ASSERT_EQ(grid(s)->rowCount(), 2) << "the grid always ends with an empty row";
    const QString line_total = cell(s, 0, 6);
    EXPECT_FALSE(line_total.isEmpty());
    EXPECT_EQ(text(s, kAmountDue), line_total);
    EXPECT_EQ(text(s, kTicketLabel).left(7), "Total: ");

    type_cell(s, 0, 3, "2");
    EXPECT_EQ(cell(s, 0, 3), "2.00");
    EXPECT_NE(text(s, kAmountDue), line_total);
    type_cell(s, 1, 0, "NOEXISTE");
    EXPECT_EQ(boxes.last_text(), "Este Código no se encuentra.");
    EXPECT_EQ(cell(s, 1, 0), "");
    type_cell(s, 0, 3, "0");
    EXPECT_EQ(boxes.last_text(), "No se permiten Cantidades en Cero");
    EXPECT_EQ(cell(s, 0, 3), "2.00");

    key(s, 0, Qt::Key_Insert);
    ASSERT_EQ(grid(s)->rowCount(), 3);
    EXPECT_EQ(cell(s, 0, 0), "");
    EXPECT_EQ(cell(s, 1, 0), "MAS001");
    key(s, 2, Qt::Key_Delete);
    EXPECT_EQ(grid(s)->rowCount(), 3) << "the final empty row stays";
    key(s, 1, Qt::Key_Delete);
    EXPECT_EQ(grid(s)->rowCount(), 2);
    EXPECT_EQ(text(s, kAmountDue), "0.00") << "deleting a line takes back all it added";
}

TEST_F(FacPosTest, TheSideDialogsFeedTheSale) {
    FAC_POS* s = open_screen_from_menu();
    take_register(s);
    type_cell(s, 0, 0, "MAS001");
    type_cell(s, 1, 0, "FAC001");
    // Discounts for every line, cut back to what the sub-line allows (15 %).
    test::when_modal([] {
        EXPECT_EQ(modal()->objectName(), "DESCUENTOS");
        modal()->findChild<QLineEdit*>("601")->setText("20");
        modal()->findChild<QCheckBox*>("603")->setChecked(true);
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kDiscounts);
    EXPECT_EQ(cell(s, 0, 4), "15.00");
    EXPECT_EQ(cell(s, 1, 4), "15.00");
    EXPECT_EQ(s->draft().header().line_discount, Decimal(20));

    test::when_modal([] {
        auto* plan = modal()->findChild<QTableWidget*>("500");
        plan->item(0, 0)->setText("30");
        plan->item(0, 1)->setText("1,000.00");
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kPlan);
    EXPECT_EQ(s->draft().plan()[0].amount, Decimal(1000));
    EXPECT_EQ(text(s, kTerm), "30");

    test::when_modal([] {
        modal()->findChild<QLineEdit*>("606")->setText("Att. Gerencia");
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    press(s, kAttention);
    EXPECT_EQ(s->draft().header().contact[pos::kAttention], "Att. Gerencia");

    auto* exempt = s->findChild<QCheckBox*>(QString::number(kExempt));
    QTest::mouseClick(exempt, Qt::LeftButton);
    settle();
    EXPECT_EQ(cell(s, 0, 5), "0.00") << "the exemption takes the tax off every line";

    test::when_modal([] {
        EXPECT_EQ(modal()->objectName(), "SEL_ART");
        QTest::keyClick(modal()->findChild<QWidget*>(QString::number(kChooserGrid)), Qt::Key_Home);
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    grid(s)->setCurrentCell(2, 0);
    press(s, kSearch);
    EXPECT_FALSE(cell(s, 2, 0).isEmpty()) << "the article chosen goes into the current row";
}

TEST_F(FacPosTest, TendersTakeTheAmountDueAndClosingTheRegisterClosesTheLines) {
    FAC_POS* s = open_screen_from_menu();
    take_register(s);
    type_cell(s, 0, 0, "MAS001");
    const Decimal due = s->draft().figures().invoiced;
    test::when_modal([] {
        EXPECT_EQ(modal()->objectName(), "FORMA_PAGO");
        EXPECT_EQ(modal()->findChild<QPushButton*>("202")->text(), "F3: Tarjeta")
            << "the register's quick tenders";
        auto* tenders = modal()->findChild<QTableWidget*>("500");
        QTest::keyClick(tenders, Qt::Key_F2);
        QTest::keyClick(tenders, Qt::Key_F12);
    });
    press(s, kTenders);
    EXPECT_EQ(s->draft().header().paid, due) << "a cash concept pays the whole amount due";
    ASSERT_EQ(s->tenders().size(), 1u);
    EXPECT_EQ(s->tenders()[0].code, "EF");
    EXPECT_EQ(s->tenders()[0].amount, due);

    // The shift's cash closing comes first; the question follows once it is closed.
    test::when_modal([] {
        EXPECT_EQ(modal()->objectName(), "P_CIERRE");
        QTest::mouseClick(modal()->findChild<QPushButton*>(QString::number(kCmdCancel)),
                          Qt::LeftButton);
    });
    press(s, kCloseRegister);
    EXPECT_EQ(boxes.last_text(), dc::kClosedOk);
    EXPECT_FALSE(grid(s)->isEnabled());
    EXPECT_EQ(text(s, kRegisterLabel), "Caja: ");
    EXPECT_TRUE(enabled(s, kWarehouse)) << "the register's locks went with it";
    EXPECT_EQ(cell(s, 0, 0), "MAS001") << "the sale typed stays for the next register";
}

TEST_F(FacPosTest, CancelAsksAndADoubleOkSavesAtMostOnce) {
    // A cash concept whose receipt book is gone: the save refuses before the tenders, so each
    // save that runs says so once.
    qz::test::edit_record(*ctx.db, "CONCEPT1", "CONCEPT1",
                          data::order_key("CONCEPT1", "CONCEPT1", {"HOTEL", "FC"}),
                          [](data::WDBTable& t) { t.FieldPut("ABONO_BLO", std::string("ZZ")); });
    FAC_POS* s = open_screen_from_menu();
    take_register(s);
    type_cell(s, 0, 0, "MAS001");
    auto* ok = s->findChild<QPushButton*>("1");
    test::post_click(ok);
    test::post_click(ok);
    settle();
    EXPECT_EQ(count_of("No se encuentra el Block de Recibos: ZZ"), 1)
        << "the second press arrived while the first ran";
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_EQ(cell(s, 0, 0), "MAS001") << "a refused save keeps the sale as typed";

    boxes.then(kIdNo);
    press(s, kCmdCancel);
    EXPECT_EQ(boxes.last_text(), kAskLeave);
    ASSERT_TRUE(screen("FAC_POS"));
    boxes.then(kIdYes);
    press(s, kCmdCancel);
    EXPECT_FALSE(screen("FAC_POS"));
}

TEST_F(FacPosTest, ASpaInvoiceTakesTheWorkstationsOpenRegisterAndItsLines) {
    MessageBoxScript quiet;
    dc::OpenRequest r{"HOTEL", "SPA1", "0002", "spa1", "2222", Decimal(0)};
    ASSERT_TRUE(dc::ABRE_CAJA(*ctx.db, ctx.port, dc::kPosRegisters, r));
    IniFile ini(install.home() + "/SPA.INI");
    ini.set("F_SPA", "HOTELSPA_CAJA", "SPA1");
    ini.set("F_SPA", "HOTELSPA_CAJA_AUT", "1");
    bool refreshed = false;
    FacPosSource src;
    src.spa_service = true;
    src.lines = {{"MAS002", Decimal(2), std::nullopt, "Masaje de Ana"}};
    src.refresh_parent = [&refreshed] { refreshed = true; };
    auto* s = dynamic_cast<FAC_POS*>(open_fac_pos(window.get(), *ctx.db, ctx.session, &ini,
                                                  {pos::SaleKind::Spa, 0, "R-1"}, src));
    ASSERT_TRUE(s);
    settle();
    EXPECT_TRUE(s->windowTitle().contains("Facturación de Servicio Spa"));
    EXPECT_EQ(text(s, kOperatorLabel), "Digitador: Diego Araya Monge");
    EXPECT_TRUE(grid(s)->isEnabled());
    EXPECT_EQ(cell(s, 0, 0), "MAS002");
    EXPECT_EQ(cell(s, 0, 3), "2.00");
    EXPECT_EQ(s->draft().lines()[0].invoice_text, "Masaje de Ana");
    EXPECT_FALSE(enabled(s, kToOrder)) << "a spa invoice is saved only as itself";
    quiet.then(kIdYes);
    press(s, kCmdCancel);
    EXPECT_TRUE(refreshed);

    // Without the automatic key the cashier is asked for the register.
    ini.set("F_SPA", "HOTELSPA_CAJA_AUT", "0");
    bool asked = false;
    FacPosSource from_service;
    from_service.spa_service = true;
    auto* again = dynamic_cast<FAC_POS*>(open_fac_pos(
        window.get(), *ctx.db, ctx.session, &ini, {pos::SaleKind::Spa, 0, "R-1"}, from_service));
    test::when_modal([&asked] {
        asked = modal()->findChild<QComboBox*>(QString::number(kDlgRegister)) != nullptr;
        QTest::mouseClick(modal()->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    settle();
    ASSERT_TRUE(again);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(grid(again)->isEnabled());
}

TEST_F(FacPosTest, FacturarOnAReservationBringsItsServicesAtTheQuotedPrices) {
    MessageBoxScript quiet;
    bool refreshed = false;
    // The spa's register is open and this workstation takes it for spa sales by itself.
    dc::OpenRequest r{"HOTEL", "SPA1", "0002", "spa1", "2222", Decimal(0)};
    ASSERT_TRUE(dc::ABRE_CAJA(*ctx.db, ctx.port, dc::kPosRegisters, r));
    if (!ctx.ini) ctx.ini = std::make_unique<IniFile>(install.home() + "/SPA.INI");
    ctx.ini->set("F_SPA", "HOTELSPA_CAJA", "SPA1");
    ctx.ini->set("F_SPA", "HOTELSPA_CAJA_AUT", "1");
    invoice_reservation(window.get(), ctx, "SPA000001", [&refreshed] { refreshed = true; });
    settle();
    auto* s = screen_as<FAC_POS>("FAC_POS");
    ASSERT_TRUE(s);
    EXPECT_TRUE(s->windowTitle().contains("Facturación de Servicio Spa"));
    ASSERT_EQ(cell(s, 0, 0), "MAS003");
    const pos::SaleLine& l = s->draft().lines()[0];
    EXPECT_EQ(trim(l.source_document), "SPA000001");
    EXPECT_TRUE(l.manual) << "the quoted price stays whatever the quantity";
    EXPECT_EQ(s->draft().header().contact[pos::kName], "Sofía Ramírez Ulate");
    quiet.then(kIdYes);
    press(s, kCmdCancel);
    EXPECT_TRUE(refreshed);
}

}  // namespace
}  // namespace qz::gui
