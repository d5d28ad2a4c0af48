// The tenders dialog on the demonstration hotel, offscreen: the quick-tender keys fill and
// change rows, Delete removes one, accepting refuses what does not add up or has no credit, a
// room charge asks for the guest's signature, a card without terminal is denied, and the change
// dialog recomputes as the cashier types.
#include "gui/pos/tenders/tenders_dialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/pos/tenders/change_dialog.h"
#include "gui/pos/tenders/signature_window.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

namespace pos = domain::pos;
using namespace forma_pago;

QWidget* modal() { return QApplication::activeModalWidget(); }
QTableWidget* grid() { return modal()->findChild<QTableWidget*>(QString::number(kGrid)); }
QString cell(int r, int c) {
    auto* item = grid()->item(r, c);
    return item ? item->text() : QString();
}
void key(int k) { QTest::keyClick(grid(), static_cast<Qt::Key>(k)); }

class TendersDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        install.clock.freeze(DateTime{Date(2026, 5, 20), "09:30:00"});
        db = install.open();
        domain::install_demo_data(*db);
    }
    pos::TenderInputs inputs(const char* amount) {
        pos::TenderInputs in;
        in.business = "HOTEL";
        in.amount_due = Decimal::parse(amount);
        in.paid = in.amount_due;
        in.default_type = "EF";
        in.quick = {{{"EF", ""},
                     {"TC", "Tarjeta"},
                     {"CH", "Cheque"},
                     {"HB", "Habitación"},
                     {"TE", "Datáfono"},
                     {"", ""},
                     {"", ""}}};
        in.currency = "US";
        return in;
    }
    TendersOutcome run(const pos::TenderInputs& in) {
        TendersRequest r;
        r.caption = "Formas de Pago";
        r.inputs = in;
        r.rows = &rows;
        r.paid = &paid;
        return run_tenders_dialog(nullptr, *db, r);
    }

    qz::test::TestInstall install{qz::test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    MessageBoxScript boxes;
    std::vector<pos::TenderRow> rows;
    Decimal paid;
};

TEST_F(TendersDialogTest, QuickTenderKeysFillRowsAndDeleteRemovesOne) {
    test::when_modal([] {
        EXPECT_EQ(modal()->objectName(), "FORMA_PAGO");
        const QStringList heads = {"Código",  "Descripción",         "Monto",     "Room/CM",
                                   "Voucher", "Código Autorización", "File Firma"};
        for (int c = 0; c < 7; ++c) EXPECT_EQ(grid()->horizontalHeaderItem(c)->text(), heads[c]);
        EXPECT_EQ(modal()->findChild<QPushButton*>("203")->text(), "F4: Cheque");
        EXPECT_FALSE(modal()->findChild<QPushButton*>("206")->isVisibleTo(modal()));
        key(Qt::Key_F2);
        EXPECT_EQ(cell(0, 0), "EF");
        EXPECT_EQ(cell(0, 2), "150.00");
        grid()->setCurrentCell(0, 0);
        key(Qt::Key_F4);
        EXPECT_EQ(cell(0, 0), "CH") << "the tenders added up: the row under the cursor changes";
        EXPECT_EQ(cell(0, 1), "Cheque");
        grid()->setCurrentCell(0, 0);
        key(Qt::Key_Delete);
        EXPECT_EQ(cell(0, 0), "");
        key(Qt::Key_F3);
        EXPECT_EQ(cell(0, 0), "TC");
        EXPECT_EQ(grid()->currentColumn(), pos::kColVoucher);
        grid()->item(0, pos::kColAuth)->setText("778899");
        key(Qt::Key_F12);
    });
    EXPECT_EQ(run(inputs("150.00")), TendersOutcome::Continue);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].code, "TC");
    EXPECT_EQ(rows[0].authorisation, "778899");
    EXPECT_TRUE(boxes.shown().empty()) << boxes.last_text();
}

TEST_F(TendersDialogTest, AcceptRefusalsKeepTheDialogOpen) {
    test::when_modal([this] {
        grid()->item(0, 0)->setText("ZZ");
        EXPECT_EQ(boxes.last_text(), "Este Código no se encuentra.");
        grid()->item(0, 0)->setText("HB");
        grid()->item(0, 2)->setText("80.00");
        grid()->item(1, 0)->setText("EF");
        grid()->item(1, 2)->setText("10.00");
        key(Qt::Key_F12);
        EXPECT_EQ(boxes.last_text().substr(0, 53),
                  "El Detalle de Forma de Pago no suma el Monto Abonado.");
        grid()->item(1, 2)->setText("20.00");
        key(Qt::Key_F12);
        EXPECT_EQ(boxes.last_text(), "Debe asociar una habitación o Cuenta Maestra");
        grid()->item(0, 3)->setText("302");
        key(Qt::Key_F12);
        EXPECT_EQ(boxes.last_text(), "El huésped no tiene crédito permitido");
        ASSERT_TRUE(modal());
        EXPECT_EQ(modal()->objectName(), "FORMA_PAGO");
        QTest::mouseClick(modal()->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    EXPECT_EQ(run(inputs("100.00")), TendersOutcome::Stay);
    EXPECT_TRUE(rows.empty()) << "nothing taken on cancel";
}

TEST_F(TendersDialogTest, ARoomChargeTakesTheGuestsSignature) {
    test::when_modal([] {
        key(Qt::Key_F5);
        EXPECT_EQ(grid()->currentColumn(), pos::kColRoom);
        grid()->item(0, pos::kColRoom)->setText("201");
        test::when_modal([] {
            EXPECT_EQ(modal()->objectName(), "FIRMA_RG2");
            auto* pad = modal()->findChild<SignaturePad*>("500");
            ASSERT_TRUE(pad);
            QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
            EXPECT_TRUE(modal() && modal()->objectName() == "FIRMA_RG2") << "nothing signed";
            pad->stroke({{20, 40}, {120, 90}, {220, 50}});
            QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
        });
        key(Qt::Key_F12);
    });
    EXPECT_EQ(run(inputs("120.00")), TendersOutcome::Continue);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].account, "RES-0001");
    ASSERT_FALSE(rows[0].signature.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(install.home()) / "FIRMAS3" /
                                        rows[0].signature));
    data::Table t = data::USE(*db, "DET_RES2", "DET_RES2");
    ASSERT_TRUE(
        t->Seek(data::order_key("DET_RES2", "DET_RES2", {"HOTEL", "RES-0001", "SUP", 1LL})));
    EXPECT_EQ(trim(t->str("FIRMA1")), rows[0].signature);
    data::KILLTABLA(*db, t);
}

TEST_F(TendersDialogTest, ACardWithoutTerminalIsDenied) {
    test::when_modal([this] {
        key(Qt::Key_F6);
        ASSERT_GE(boxes.shown().size(), 2u);
        EXPECT_EQ(boxes.shown()[0].text, "Library not found!!!!!");
        EXPECT_EQ(boxes.last_text(), "TARJETA DENEGADA: Error notificado del Banco");
        EXPECT_EQ(cell(0, 0), "");
        QTest::mouseClick(modal()->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    EXPECT_EQ(run(inputs("50.00")), TendersOutcome::Stay);
}

TEST_F(TendersDialogTest, TheChangeDialogRecomputesAndAsksBeforeContinuing) {
    pos::ChangeRates rates;
    rates.sale_currency = "CO";
    rates.ticket_currency = "US";
    rates.to_ticket = Decimal::parse("0.002");
    rates.to_sale = Decimal::parse("495");
    rates.shown1 = Decimal::parse("500");
    rates.shown2 = Decimal::parse("495");
    pos::CtrlCambio change(Decimal::parse("10000"), rates);
    const auto label = [](int id) {
        return modal()->findChild<QLabel*>(QString::number(id))->text();
    };
    test::when_modal([&] {
        EXPECT_EQ(label(ctrl_cambio::kRate1), "T.C : 500.00");
        EXPECT_EQ(label(ctrl_cambio::kRate2), "T.C : 495.00");
        auto* received = modal()->findChild<QLineEdit*>(QString::number(ctrl_cambio::kReceived));
        received->setFocus();
        received->selectAll();
        QTest::keyClicks(received, "8000");
        EXPECT_EQ(label(ctrl_cambio::kChange), "-2,000.00");
        QTest::keyClicks(received, "0");
        EXPECT_EQ(label(ctrl_cambio::kChange), "70,000.00");
        QTest::mouseClick(modal()->findChild<QPushButton*>("201"), Qt::LeftButton);
        EXPECT_EQ(label(ctrl_cambio::kToPay), "20.00");
        boxes.then(kIdNo);
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
        ASSERT_TRUE(modal()) << "No keeps it open";
        EXPECT_EQ(boxes.last_text(), "Desea continuar?");
        boxes.then(kIdYes);
        QTest::mouseClick(modal()->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    EXPECT_TRUE(run_change_dialog(nullptr, change));
    test::when_modal(
        [] { QTest::mouseClick(modal()->findChild<QPushButton*>("2"), Qt::LeftButton); });
    EXPECT_FALSE(run_change_dialog(nullptr, change));
}

}  // namespace
}  // namespace qz::gui
