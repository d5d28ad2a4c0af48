// "Impresoras Predeterminadas" opened from the main window's menu: a profile added through the
// form after its messages, its keys written for this workstation, then removed.
#include "gui/print/predet_screen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "gui/framework/framework_test_util.h"
#include "gui/main_window_fixture.h"
#include "print_gui_fakes.h"

namespace qz::gui {
namespace {

constexpr int kPrinterProfiles = 2782;

class PredetScreenTest : public test::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        print_context().printers = std::make_shared<test::ListedPrinters>();
    }
};

QLineEdit* line(QWidget* form, int id) { return form->findChild<QLineEdit*>(QString::number(id)); }

void press_ok(QWidget* form) {
    QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kCmdOk)), Qt::LeftButton);
}

TEST_F(PredetScreenTest, AddShowsEveryMessageThenSavesRowAndKeys) {
    // The list starts empty: the demonstration's own profiles are not this test's.
    for (const auto& row : services::list_predet(*ctx.db, "HOTEL"))
        services::delete_predet(*ctx.db, "HOTEL", row.CODIGO);
    auto* screen = dynamic_cast<PredetScreen*>(choose(kPrinterProfiles));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "PREDET_P");
    EXPECT_EQ(screen->list()->rowCount(), 0);
    test::when_modal([this] {
        QWidget* form = QApplication::activeModalWidget();
        press_ok(form);
        EXPECT_EQ(boxes.last_text(), "Debe definir un Código válido");
        line(form, PredetForm::kIdCode)->setText("co");
        press_ok(form);
        EXPECT_EQ(boxes.last_text(), "Debe definir una Descripción válida");
        line(form, PredetForm::kIdDescrip)->setText("Cocina");
        press_ok(form);
        EXPECT_EQ(boxes.last_text(),
                  "El registro de Impresora Predefinida\nno tiene impresora asociada.");
        form->findChild<QComboBox*>("110")->setCurrentText("Caja_Epson");
        form->findChild<QCheckBox*>(QString::number(PredetForm::slot_id(1, PredetForm::kActive)))
            ->setChecked(true);
        press_ok(form);
        EXPECT_NE(boxes.last_text().find("Horario 1"), std::string::npos);
        line(form, PredetForm::slot_id(1, PredetForm::kStart))->setText("08:00");
        line(form, PredetForm::slot_id(1, PredetForm::kEnd))->setText("12:00");
        press_ok(form);
    });
    QTest::mouseClick(screen->control(PredetScreen::kIdAdd), Qt::LeftButton);
    EXPECT_EQ(boxes.shown().size(), 4u);
    ASSERT_EQ(screen->list()->rowCount(), 1);
    EXPECT_EQ(screen->list()->item(0, 0)->text(), "CO");
    EXPECT_EQ(screen->list()->item(0, 2)->text(), "Caja_Epson");
    IniFile again(ctx.ini->path());
    EXPECT_EQ(again.get("PREDET_P", "HOTELCO"), "Caja_Epson");
    EXPECT_EQ(again.get("PREDET_P", "HOTELCOHA1"), "1");
    EXPECT_EQ(again.get("PREDET_P", "HOTELCOHI1"), "08:00");

    test::when_modal([this] {
        QWidget* form = QApplication::activeModalWidget();
        line(form, PredetForm::kIdCode)->setText("CO");
        line(form, PredetForm::kIdDescrip)->setText("Otra");
        form->findChild<QComboBox*>("110")->setCurrentText("Caja_Epson");
        press_ok(form);
        EXPECT_NE(boxes.last_text().find("Ya existe"), std::string::npos);
        // A printer kept by the settings that this machine no longer has.
        form->findChild<QComboBox*>("110")->addItem("Desconocida");
        form->findChild<QComboBox*>("110")->setCurrentText("Desconocida");
        line(form, PredetForm::kIdCode)->setText("BA");
        press_ok(form);
        EXPECT_EQ(boxes.last_text(), "La impresora definida por Windows no es válida");
        QTest::mouseClick(form->findChild<QPushButton*>(QString::number(kCmdCancel)),
                          Qt::LeftButton);
    });
    QTest::mouseClick(screen->control(PredetScreen::kIdAdd), Qt::LeftButton);
    EXPECT_EQ(screen->list()->rowCount(), 1);

    boxes.then(kIdYes);
    QTest::mouseClick(screen->control(PredetScreen::kIdDelete), Qt::LeftButton);
    EXPECT_EQ(screen->list()->rowCount(), 0);
    EXPECT_TRUE(services::list_predet(*ctx.db, "HOTEL").empty());
}

}  // namespace
}  // namespace qz::gui
