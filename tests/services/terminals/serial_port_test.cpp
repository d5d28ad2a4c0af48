// The card reader's serial line on a pseudo-terminal: set to 9600 8N1 raw, reads never wait,
// what arrives in pieces adds up byte for byte, a swipe made before opening is dropped, a file
// that is no terminal is refused, and a reader unplugged reads as a failed line.
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

TEST(SerialPort, OpensTheLineRawAt9600EightNoParityOneStopAndOnlyOnATerminal) {
    test::PtyReader reader;
    SerialPort port;
    ASSERT_TRUE(port.open(reader.device()));
    const int fd = ::open(reader.device().c_str(), O_RDONLY | O_NOCTTY);
    termios tio{};
    ASSERT_EQ(tcgetattr(fd, &tio), 0);
    ::close(fd);
    EXPECT_EQ(cfgetispeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&tio), static_cast<speed_t>(B9600));
    EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB), static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(tio.c_iflag & (ICRNL | IXON | ISTRIP), 0u);

    const auto file = std::filesystem::temp_directory_path() / "qz_not_a_tty";
    std::ofstream(file) << "%B4111^X^2612?";
    EXPECT_FALSE(port.open(file.string()));
    EXPECT_FALSE(port.is_open());
    std::filesystem::remove(file);
}

TEST(SerialPort, ReadsPiecesWithoutWaitingDropsAnEarlierSwipeAndFailsWhenUnplugged) {
    test::PtyReader reader;
    SerialPort port;
    reader.send("%B999^OLD^2001?");
    ASSERT_TRUE(port.open(reader.device()));
    TrackText text;
    EXPECT_TRUE(text.read_from(port));
    EXPECT_EQ(text.text(), "");
    reader.send("%B4111111111111111^PEREZ");
    EXPECT_TRUE(text.read_from(port));
    reader.send("/ANA^2612\r\n?");
    EXPECT_TRUE(text.read_from(port));
    EXPECT_EQ(text.text(), "%B4111111111111111^PEREZ/ANA^2612\r\n?");
    EXPECT_TRUE(text.read_from(port)) << "nothing more is not a failure";
    reader.unplug();
    EXPECT_FALSE(text.read_from(port));
}

}  // namespace
}  // namespace qz::services::terminals
