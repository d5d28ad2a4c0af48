// The card reader's serial line on a pseudo-terminal: set to 9600 8N1 raw, reads never wait,
// what arrives in pieces adds up, a swipe made before opening is dropped, a missing device or a
// file that is no terminal is refused, and a reader unplugged reads as a failed line.
#include "services/terminals/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "services/terminals/card_track.h"
#include "services/terminals/pty_reader.h"

namespace qz::services::terminals {
namespace {

TEST(SerialPort, OpensTheLineRawAt9600EightNoParityOneStop) {
    test::PtyReader reader;
    SerialPort port;
    ASSERT_TRUE(port.open(reader.device()));
    const int fd = ::open(reader.device().c_str(), O_RDONLY | O_NOCTTY);
    ASSERT_GE(fd, 0);
    termios tio{};
    ASSERT_EQ(tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | ISTRIP), 0u);
}

TEST(SerialPort, ReadsWhatArrivesWithoutWaitingAndDropsAnEarlierSwipe) {
    test::PtyReader reader;
    SerialPort port;
    ASSERT_TRUE(port.open(reader.device()));
    reader.send("%B999^OLD^2001?");
    ASSERT_TRUE(port.open(reader.device())) << "reopening starts a new reading";
    TrackText text;
    EXPECT_TRUE(text.read_from(port));
    EXPECT_EQ(text.text(), "");
    reader.send("%B4111111111111111^PEREZ");
    EXPECT_TRUE(text.read_from(port));
    reader.send("/ANA^2612\r\n?");
    EXPECT_TRUE(text.read_from(port));
    EXPECT_EQ(text.text(), "%B4111111111111111^PEREZ/ANA^2612\r\n?") << "raw: no CR/LF change";
    EXPECT_TRUE(text.read_from(port));

    reader.unplug();
    EXPECT_FALSE(text.read_from(port));
    port.close();
    EXPECT_FALSE(port.is_open());
    char c = 0;
    EXPECT_EQ(port.read(&c, 1), -1);
}

TEST(SerialPort, RefusesAMissingDeviceOrAFileThatIsNoTerminal) {
    SerialPort port;
    EXPECT_FALSE(port.open("/nonexistent/ttyS9"));
    const auto file = std::filesystem::temp_directory_path() / "qz_not_a_tty";
    std::ofstream(file) << "%B4111^X^2612?";
    EXPECT_FALSE(port.open(file.string()));
    EXPECT_FALSE(port.is_open());
    std::filesystem::remove(file);
}

TEST(SerialPort, TheDeviceIsTheWorkstationsSettingOrTheSecondSerialPort) {
    const auto path = std::filesystem::temp_directory_path() / "qz_card_port.ini";
    std::filesystem::remove(path);
    IniFile ini(path);
    EXPECT_EQ(card_reader_device(ini, "HOTEL"), "/dev/ttyS1");
    ini.set("ESTACION_CREDIT_PUERTO", "HOTEL", "/dev/ttyUSB0");
    ini.set("ESTACION_CREDIT_PUERTO", "SPA", "  ");
    EXPECT_EQ(card_reader_device(ini, "HOTEL"), "/dev/ttyUSB0");
    EXPECT_EQ(card_reader_device(ini, "SPA"), "/dev/ttyS1");
    std::filesystem::remove(path);
}

}  // namespace
}  // namespace qz::services::terminals
