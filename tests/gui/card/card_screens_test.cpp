// The card terminals' screens over the demonstration business, opened from the main window's
// menu: the terminals' list refuses what a network could not be called with and keeps one row
// per station, network and currency; the station dialog writes this workstation's keys and
// refuses a reader that is not a device; a closing asks for its terminal; the attempts' log
// lists the business's rows, newest first, never showing a whole card number.
#include "gui/card/card_screens.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <filesystem>
#include <functional>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "domain/pos/card_terminal.h"
#include "gui/browse/wblistbox.h"
#include "gui/card/commands.h"
#include "gui/card/station_settings.h"
#include "gui/card/terminal_table.h"
#include "gui/framework/framework_test_util.h"
#include "gui/lists/master_list.h"
#include "gui/logs/log_viewers.h"
#include "gui/main_window_fixture.h"

namespace qz::gui {
namespace {

const std::string kHotel = "HOTEL";

class CardScreensTest : public test::MainWindowFixture {
protected:
    static QString cell(WBLISTBOX* g, int row, int column) {
        return g->model()->data(g->model()->index(row, column)).toString().trimmed();
    }
    static void pick(QWidget* form, int id, const QString& code) {
        auto* c = form->findChild<QComboBox*>(QString::number(id));
        c->setCurrentIndex(c->findData(code));
    }
    // Types a terminal into the next form: network and currency chosen, the texts typed; then
    // OK, and Cancel when the form refused.
    static void fill_terminal(const QString& station, const QString& bank, const QString& currency,
                              const QString& description, const QString& param1) {
        test::when_modal([=] {
            QWidget* form = QApplication::activeModalWidget();
            pick(form, kTermBank, bank);
            pick(form, kTermCurrency, currency);
            form->findChild<QLineEdit*>(QString::number(kTermStation))->setText(station);
            form->findChild<QLineEdit*>(QString::number(kTermDescription))->setText(description);
            form->findChild<QLineEdit*>(QString::number(kTermParam1))->setText(param1);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (QApplication::activeModalWidget() == form)
                QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    }
    std::vector<card::TerminalRow> terminals(const std::string& station) {
        std::vector<card::TerminalRow> out;
        data::Table t = data::USE(*ctx.db, "P_ELECT", "P_ELECT");
        for (t->GoTop(); !t->Eof(); t->Skip())
            if (trim(t->str("CODIGO")) == station) out.push_back(card::terminal_from_row(*t));
        data::KILLTABLA(*ctx.db, t);
        return out;
    }
};

TEST_F(CardScreensTest, TerminalListRefusesWhatANetworkCannotUseAndKeepsOneRowPerKey) {
    auto* list = dynamic_cast<MasterListScreen*>(choose(kCmdCardStations));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->objectName(), "P_ELECT");
    EXPECT_EQ(list->grid()->nMaxRec(), 3);  // the demonstration's station

    fill_terminal("", "02", "CO", "Caja", "T1");
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), card::kNoStation);
    fill_terminal("recepcion", "02", "CO", "Caja", "");
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), card::kNoCredomaticTerminal);
    fill_terminal("recepcion", "01", "CO", "Caja", "COMERCIO");  // no merchant number, terminal
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), card::kNoPoswareParams);
    fill_terminal(QString::fromStdString(domain::kDemoCardStation), "02", "US", "Otra", "T9");
    press(list, kListAdd);
    EXPECT_EQ(boxes.last_text(), card::kDuplicateTerminal);
    EXPECT_EQ(list->grid()->nMaxRec(), 3);
    EXPECT_TRUE(terminals("RECEPCION").empty());

    fill_terminal(" recepcion ", "02", "US", "Recepción Dólares", " T7 ");
    press(list, kListAdd);
    EXPECT_EQ(list->grid()->nMaxRec(), 4);
    auto added = terminals("RECEPCION");
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].currency, "US");
    EXPECT_EQ(added[0].param1, "T7");

    // The rules refuse a currency the business does not have, whatever the form offered.
    card::TerminalRow euro = added[0];
    euro.currency = "EU";
    EXPECT_EQ(card::check_terminal(*ctx.db, kHotel, euro), card::kUnknownCurrency);

    // Moving the new row onto a key another row holds is refused and leaves both rows.
    list->grid()->setCurrentIndex(list->grid()->model()->index(0, 0));  // RECEPCION, first
    ASSERT_EQ(cell(list->grid(), 0, 0), "RECEPCION");
    fill_terminal(QString::fromStdString(domain::kDemoCardStation), "02", "US", "Movida", "T7");
    press(list, kListModify);
    EXPECT_EQ(boxes.last_text(), card::kDuplicateTerminal);
    EXPECT_EQ(terminals("RECEPCION").size(), 1u);
    EXPECT_EQ(terminals(domain::kDemoCardStation).size(), 3u);

    boxes.then(kIdOk);
    press(list, kListDelete);
    EXPECT_EQ(boxes.last_text(), card::kDeleteTerminalAsk);
    EXPECT_TRUE(terminals("RECEPCION").empty());
    EXPECT_EQ(list->grid()->nMaxRec(), 3);
}

TEST_F(CardScreensTest, StationDialogWritesTheWorkstationKeysAndRefusesANonDevice) {
    ASSERT_TRUE(ctx.ini);
    const QString station = QString::fromStdString(domain::kDemoCardStation);
    auto fill = [station](const QString& device) {
        test::when_modal([=] {
            QWidget* form = QApplication::activeModalWidget();
            EXPECT_EQ(form->objectName(), "ESTACION_CREDIT");
            // The reader's device is offered as the second serial port until one is kept.
            auto* dev = form->findChild<QLineEdit*>(QString::number(kPcDevice));
            EXPECT_EQ(dev->text(), card::kDefaultReaderDevice);
            pick(form, kPcStation, station);
            form->findChild<QLineEdit*>(QString::number(kPcTerminalId))->setText("T-0101");
            form->findChild<QLineEdit*>(QString::number(kPcHeader1 + 1))->setText("Spa Quartzen");
            dev->setText(device);
            form->findChild<QCheckBox*>(QString::number(kPcTraining))->setChecked(true);
            QTest::mouseClick(form->findChild<QPushButton*>("1"), Qt::LeftButton);
            if (QApplication::activeModalWidget() == form)
                QTest::mouseClick(form->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    };
    fill("ttyS0");
    choose(kCmdCardStationOfPc);
    EXPECT_EQ(boxes.last_text(), card::kBadDevice);
    EXPECT_EQ(ctx.ini->get("ESTACION_CREDIT", kHotel), "");
    EXPECT_EQ(ctx.ini->get("PAGO_ELECTRONICO", "MODO"), "");

    fill("/dev/ttyUSB0");
    choose(kCmdCardStationOfPc);
    // Read back from the file itself, as the next session will.
    const IniFile file(ctx.ini->path());
    EXPECT_EQ(file.get("ESTACION_CREDIT", kHotel), domain::kDemoCardStation);
    EXPECT_EQ(file.get("ESTACION_CREDIT_ID", kHotel), "T-0101");
    EXPECT_EQ(file.get("ESTACION_CREDIT_H2", kHotel), "Spa Quartzen");
    EXPECT_TRUE(file.keys("ESTACION_CREDIT_H1").empty());  // a blank line is left out
    EXPECT_EQ(file.get("ESTACION_CREDIT_PUERTO", kHotel), "/dev/ttyUSB0");
    EXPECT_EQ(file.get("PAGO_ELECTRONICO", "MODO"), "ENTRENAMIENTO");

    // Leaving training mode removes the mode rather than keeping a stale value.
    auto s = card::read_station_settings(*ctx.ini, kHotel);
    s.training = false;
    card::write_station_settings(*ctx.ini, kHotel, s);
    EXPECT_EQ(IniFile(ctx.ini->path()).get("PAGO_ELECTRONICO", "MODO"), "");
}

TEST_F(CardScreensTest, ClosingAsksForATerminalOfTheStation) {
    ctx.ini->set("ESTACION_CREDIT", kHotel, domain::kDemoCardStation);
    test::when_modal([this] {
        QWidget* dlg = QApplication::activeModalWidget();
        EXPECT_EQ(dlg->objectName(), "PRE_CIE_CREDOMAT");
        auto* list = dlg->findChild<QListWidget*>(QString::number(kClosingTerminals));
        ASSERT_EQ(list->count(), 2);  // network 2 only, by description
        EXPECT_EQ(list->item(0)->text(), "Credomatic Colones");
        QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
        EXPECT_EQ(boxes.last_text(), kNoTerminalChosen);
        EXPECT_EQ(QApplication::activeModalWidget(), dlg);  // still open to choose one
        QTest::mouseClick(dlg->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    choose(kCmdCardPreClosingCredomatic);
    EXPECT_EQ(boxes.last_text(), kNoTerminalChosen);
}

// The networks' training simulators are built next to the programs.
std::string simulator(const char* name) {
    return QCoreApplication::applicationDirPath().toStdString() + "/../src/app/" + name;
}

TEST_F(CardScreensTest, ClosingsShowWhatTheNetworkAnsweredAndAMissingLibraryIsNoSuccess) {
    ASSERT_TRUE(std::filesystem::exists(simulator("libSockPos-sim.so")));
    ctx.ini->set("ESTACION_CREDIT", kHotel, domain::kDemoCardStation);
    auto close_first = [this](std::function<void(QWidget*)> check) {
        test::when_modal([this, check] {
            QWidget* dlg = QApplication::activeModalWidget();
            auto* list = dlg->findChild<QListWidget*>(QString::number(kClosingTerminals));
            list->setCurrentRow(0);
            QTest::mouseClick(dlg->findChild<QPushButton*>("1"), Qt::LeftButton);
            check(dlg);
            QTest::mouseClick(dlg->findChild<QPushButton*>("2"), Qt::LeftButton);
        });
    };
    // Without training mode the networks' own libraries are not on this machine.
    close_first([](QWidget* dlg) {
        EXPECT_EQ(dlg->findChild<QTableWidget*>(QString::number(kClosingReply))->rowCount(), 0);
    });
    choose(kCmdCardPreClosingCredomatic);
    EXPECT_EQ(boxes.last_text(), domain::pos::missing_library_message(2));

    ctx.ini->set("PAGO_ELECTRONICO", "LIB1", simulator("libCallPosWareClient-sim.so"));
    ctx.ini->set("PAGO_ELECTRONICO", "LIB2", simulator("libSockPos-sim.so"));
    close_first([](QWidget* dlg) {
        auto* reply = dlg->findChild<QTableWidget*>(QString::number(kClosingReply));
        ASSERT_EQ(reply->rowCount(), 8);
        EXPECT_EQ(reply->item(1, 0)->text(), "Mensaje");
        EXPECT_EQ(reply->item(1, 1)->text(), "PRE-CIERRE");
    });
    choose(kCmdCardPreClosingCredomatic);

    close_first([](QWidget*) {});
    choose(kCmdCardClosingPosware);
    EXPECT_EQ(boxes.last_text(), "Cierre enviado. Código de respuesta: 0");
}

TEST_F(CardScreensTest, LogListsTheBusinessAttemptsNewestFirstWithTheCardMasked) {
    auto log = [this](const std::string& business, const char* time, const char* card,
                      const char* text) {
        data::Table t = data::USE(*ctx.db, "LOG_P_EL", "LOG_P_EL");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("PE_TIPO", Decimal(2));
        t->FieldPut("TIPO_OP", Decimal(1));
        t->FieldPut("PE_TARJ", std::string(card));
        t->FieldPut("DESCRIP", std::string(text));
        t->FieldPut("FECHA", kNow.date);
        t->FieldPut("HORA", std::string(time));
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(*ctx.db, t);
    };
    log(kHotel, "09:00:00", "************1111", "APROBADA");
    log(kHotel, "09:10:00", "4111111111112222", "DENEGADA");  // came in unmasked
    log("OTRO", "09:20:00", "************3333", "APROBADA");
    WDIAG* s = choose(kCmdCardLog);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->objectName(), "LOG_P_EL");
    auto* grid = s->control_as<WBLISTBOX>(kLogGrid);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 1);  // standing on the newest
    EXPECT_EQ(cell(grid, 1, 1), "09:10:00");
    EXPECT_EQ(cell(grid, 1, 4), "************2222");
    EXPECT_EQ(cell(grid, 0, 3), "Compra");
}

}  // namespace
}  // namespace qz::gui
