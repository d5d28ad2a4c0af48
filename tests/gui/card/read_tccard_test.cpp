// READ_TCCARD offscreen over a pseudo-terminal reader: the amount in large type, a track that
// arrives in pieces across polls is never shown and ends the dialog with the card, a bad swipe
// is dropped and asks for another, Cancel gives nothing, and a missing or unplugged reader says so.
#include "gui/card/read_tccard.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "gui/framework/framework_test_util.h"
#include "services/terminals/pty_reader.h"
#include "services/terminals/serial_port.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

using namespace std::chrono_literals;

QWidget* modal() { return QApplication::activeModalWidget(); }
QString status() {
    return modal()->findChild<QLabel*>(QString::number(read_tccard::kStatus))->text();
}
// What the dialog shows anywhere.
QString shown_text() {
    QString all;
    for (auto* label : modal()->findChildren<QLabel*>()) all += label->text() + "\n";
    return all + modal()->windowTitle();
}

class ReadTcCardTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove(path);
        ini.set("ESTACION_CREDIT_PUERTO", "HOTEL", reader.device());
        // A dialog a failed test leaves open would hang the run.
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] {
            if (auto* m = modal()) m->close();
        });
        watchdog.start(10000);
    }
    void TearDown() override { std::filesystem::remove(path); }
    std::optional<services::terminals::CardReading> read() {
        StripeCardReader r(nullptr, port, ini, "HOTEL", 50ms);
        return r.READ_TCCARD("$", Decimal::parse("1234567.5"));
    }

    services::terminals::test::PtyReader reader;
    std::filesystem::path path = std::filesystem::temp_directory_path() / "qz_read_tccard.ini";
    IniFile ini{path};
    qz::test::ScriptedPort port;
    QTimer watchdog;
};

TEST_F(ReadTcCardTest, ATrackInPiecesIsReadWithoutShowingItAndEndsTheDialog) {
    test::when_modal([this] {
        EXPECT_EQ(modal()->objectName(), "READ_TCCARD");
        auto* amount = modal()->findChild<QLabel*>(QString::number(read_tccard::kAmount));
        EXPECT_EQ(amount->text(), "$ 1,234,567.50");
        EXPECT_EQ(amount->font().family(), "Times New Roman");
        EXPECT_EQ(amount->font().pointSize(), 40);
        reader.send("%B4111111111111111^PER");
        QTest::qWait(150);
        EXPECT_EQ(status(), "Leyendo tarjeta...");
        reader.send("EZ/ANA^26");
        QTest::qWait(150);
        ASSERT_TRUE(modal()) << "closed before the end of the track";
        EXPECT_FALSE(shown_text().contains("4111")) << shown_text().toStdString();
        EXPECT_FALSE(shown_text().contains("PEREZ"));
        reader.send("121010000?");
    });
    auto card = read();
    ASSERT_TRUE(card);
    EXPECT_EQ(card->number, "4111111111111111");
    EXPECT_EQ(card->name, "PEREZ/ANA");
    EXPECT_EQ(card->expiry, "2612");
    EXPECT_EQ(card->track, "%B4111111111111111^PEREZ/ANA^26121010000?");
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ReadTcCardTest, ABadSwipeIsDroppedAndAsksForAnother) {
    test::when_modal([this] {
        reader.send(";4111111111111111=2612101?");
        QTest::qWait(150);
        ASSERT_TRUE(modal()) << "closed without a card";
        EXPECT_EQ(status(), "Lectura incompleta, deslice la tarjeta de nuevo");
        reader.send("%B5500000000000004^LOPEZ/LUIS^2501?");
    });
    auto card = read();
    ASSERT_TRUE(card);
    EXPECT_EQ(card->number, "5500000000000004");
    EXPECT_EQ(card->track, "%B5500000000000004^LOPEZ/LUIS^2501?") << "the bad swipe is dropped";
}

TEST_F(ReadTcCardTest, CancelGivesNothingEvenWithPartOfATrackRead) {
    test::when_modal([this] {
        reader.send("%B4111111111111111^PEREZ");
        QTest::qWait(150);
        QTest::mouseClick(modal()->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    EXPECT_FALSE(read());
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(ReadTcCardTest, AMissingOrUnpluggedReaderIsNotAvailable) {
    EXPECT_EQ(services::terminals::card_reader_device(ini, "SPA"), "/dev/ttyS1");
    ini.set("ESTACION_CREDIT_PUERTO", "HOTEL", "/nonexistent/ttyS1");
    EXPECT_FALSE(read());
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0], ": Puerto no disponible");

    ini.set("ESTACION_CREDIT_PUERTO", "HOTEL", reader.device());
    test::when_modal([this] {
        reader.send("%B4111111111111111^PEREZ");
        QTest::qWait(150);
        reader.unplug();
    });
    EXPECT_FALSE(read());
    ASSERT_EQ(port.messages.size(), 2u);
    EXPECT_EQ(port.messages[1], ": Puerto no disponible");
}

}  // namespace
}  // namespace qz::gui
