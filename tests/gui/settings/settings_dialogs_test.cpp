// The settings dialogs over a demonstration installation: what is typed through the masks is
// stored without separators and the save rules take effect at once; a number that does not read
// keeps the dialog open and stores nothing; the clock choice lasts for the session only.
#include "gui/settings/settings_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "gui/framework/dialog_frame.h"
#include "gui/framework/framework_settings.h"
#include "gui/framework/framework_test_util.h"
#include "gui/framework/message_box.h"
#include "gui/settings/about_boxes.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

using test::when_modal;

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.clock.freeze(DateTime{Date(2026, 3, 15), "09:30:00"});
        db = inst.open();
        domain::install_demo_data(*db);
        domain::load_settings(settings, *db);
    }
    void TearDown() override { set_XGLOBAL_FONT_NAME(std::nullopt); }

    // A control of the modal dialog that is up, by its name.
    template <class W = QWidget>
    static W* field(const char* name) {
        QWidget* dialog = QApplication::activeModalWidget();
        EXPECT_NE(dialog, nullptr);
        W* w = dialog ? dialog->findChild<W*>(name) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void type(const char* name, const QString& text) {
        auto* edit = field<QLineEdit>(name);
        edit->setFocus();
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    static void press(int id) {
        QTest::mouseClick(field<QPushButton>(std::to_string(id).c_str()), Qt::LeftButton);
    }
    data::Value stored(const std::string& f) { return data::USE(*db, "F_SYS")->FieldGet(f); }
    std::string stored_text(const std::string& f) { return trim(std::get<std::string>(stored(f))); }

    qz::test::TestInstall inst{qz::test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    domain::AppSettings settings;
    MessageBoxScript boxes;
};

TEST_F(SettingsDialogTest, SysDbStoresWhatWasTypedAndAppliesTheSaveRulesAtOnce) {
    when_modal([] {
        type("DGROUP", "0");
        type("MAXTIMEOUT", "0");
        type("GARBAGE", "12,345,678");
        type("WS_SOCKET", "4200");
        type("LOCAL_PATH", "C:\\QZTEMP\\");
        field<QCheckBox>("NOFLATBUTT")->setChecked(true);
        type("RGB7", "10");
        type("RGB8", "20");
        type("RGB9", "30");
        press(kCmdOk);
    });
    ASSERT_TRUE(open_sys_db(nullptr, *db, settings));

    EXPECT_EQ(stored("DGROUP"), data::Value(Decimal(0)));
    EXPECT_EQ(stored("GARBAGE"), data::Value(Decimal(12345678)));
    EXPECT_EQ(stored_text("LOCAL_PATH"), "C:\\QZTEMP");
    EXPECT_EQ(stored_text("T_FONT"), "Calibri") << "a field of the other dialog is kept";
    EXPECT_EQ(settings.XAPP_MAX_MESSAGETIME, 300000);
    EXPECT_EQ(settings.XWS_SOCKET, 4200);
    EXPECT_EQ(settings.XFLAT_SHOW, 0);
    EXPECT_EQ(settings.XO_COLOUR, (domain::Rgb{10, 20, 30}));
    // The next start-up reads the stored 0 as 6000 records per group.
    domain::AppSettings next;
    domain::load_f_sys(next, *db);
    EXPECT_EQ(next.XDGROUPLIMIT, 6000);
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(SettingsDialogTest, SysDbKeepsANumberThatDoesNotReadAndStoresNothing) {
    QString page_shown;
    bool still_open = false;
    when_modal([&] {
        QWidget* dialog = QApplication::activeModalWidget();
        type("DLGSIZE", "120");
        // Text that does not read as a number, on a page that is not showing.
        field<QLineEdit>("RGB1")->setText("1x");
        press(kCmdOk);
        still_open = dialog->isVisible();
        auto* tabs = dialog->findChild<QTabWidget*>();
        page_shown = tabs->tabText(tabs->currentIndex());
        QTest::mouseClick(dialog->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    EXPECT_FALSE(open_sys_db(nullptr, *db, settings));
    EXPECT_TRUE(still_open);
    EXPECT_EQ(page_shown, "Colores");
    EXPECT_EQ(boxes.last_text(), "Número inválido");
    EXPECT_EQ(stored("DLGSIZE"), data::Value(Decimal(0)));
    EXPECT_EQ(settings.XDLGSIZE, 0);
}

TEST_F(SettingsDialogTest, SysFontBlankPrintingFontFallsBackAndTheScreenFontApplies) {
    when_modal([] {
        field<QComboBox>("P_FONT")->setCurrentText("");
        field<QComboBox>("D_FONT")->setCurrentText("Tahoma");
        type("T_SIZE", "9.5");
        press(kCmdOk);
    });
    ASSERT_TRUE(open_sys_font(nullptr, *db, settings));
    EXPECT_EQ(settings.XPRINT_FONT, "Times New Roman");
    EXPECT_EQ(settings.XGLOBAL_FONT_NAME, "Tahoma");
    EXPECT_EQ(XGLOBAL_FONT_NAME(), "Tahoma") << "screens opened from now on";
    EXPECT_EQ(stored("T_SIZE"), data::Value(Decimal::parse("9.5")));
    EXPECT_EQ(stored_text("P_FONT"), "");
}

TEST_F(SettingsDialogTest, FecHoraSetsTheClockForTheSessionOnlyWhenAccepted) {
    auto choose = [](bool local, int button) {
        when_modal([=] {
            field<QCheckBox>("XFEC_HORA_LOCAL")->setChecked(local);
            press(button);
        });
    };
    choose(true, kCmdOk);
    EXPECT_TRUE(open_fec_hora(nullptr, settings, inst.clock));
    EXPECT_TRUE(inst.clock.local_only());
    EXPECT_EQ(settings.XFEC_HORA_LOCAL, 1);

    bool shown_checked = false;
    when_modal([&] {
        shown_checked = field<QCheckBox>("XFEC_HORA_LOCAL")->isChecked();
        field<QCheckBox>("XFEC_HORA_LOCAL")->setChecked(false);
        press(kCmdCancel);
    });
    EXPECT_FALSE(open_fec_hora(nullptr, settings, inst.clock));
    EXPECT_TRUE(shown_checked);
    EXPECT_TRUE(inst.clock.local_only());

    choose(false, kCmdOk);
    EXPECT_TRUE(open_fec_hora(nullptr, settings, inst.clock));
    EXPECT_FALSE(inst.clock.local_only());
    EXPECT_EQ(settings.XFEC_HORA_LOCAL, 0);
}

TEST_F(SettingsDialogTest, AdsConfigDescribesTheDatabaseInUse) {
    open_ads_config(nullptr, server_info(*db));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_TRUE(starts_with(boxes.last_text(), "Servidor Advantage no disponible...\n"));
    EXPECT_NE(boxes.last_text().find("SQLite 3."), std::string::npos);

    ServerInfo pg;
    pg.server = true;
    pg.sessions = 3;
    pg.version = "15.6";
    pg.cache_records = 50;
    open_ads_config(nullptr, pg);
    EXPECT_EQ(boxes.shown().back().title, "Versión Advantage Database Server");
    EXPECT_EQ(boxes.last_text(),
              "Sesiones: 3\nServer Versión: 15.6\nLocking Scheme: Propietario\nRecord Cache: 50");
}

TEST_F(SettingsDialogTest, AboutShowsSeriesVersionAndUser) {
    QStringList texts;
    when_modal([&] {
        for (auto* label : QApplication::activeModalWidget()->findChildren<QLabel*>())
            texts << label->text();
        press(kCmdOk);
    });
    open_about(nullptr, "SUPERVISOR");
    EXPECT_EQ(texts, (QStringList{"Serie Quartzen", "Versión 3.2.01 (30/04/2008)",
                                  "Usuario: SUPERVISOR"}));
}

}  // namespace
}  // namespace qz::gui
