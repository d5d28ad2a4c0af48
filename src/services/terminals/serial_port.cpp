#include "services/terminals/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "core/text.h"

namespace qz::services::terminals {

namespace {

constexpr const char* kDefaultDevice = "/dev/ttyS1";

bool configure(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) return false;
    cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    // Reads return at once with what is there; the dialog polls.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0) return false;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) return false;
    // A swipe made before the dialog opened is not this payment's card.
    tcflush(fd, TCIFLUSH);
    return true;
}

// A raw line reads 0 bytes both when nothing came and when the device went away (a USB adapter
// pulled out, a hung-up line): only the line's state tells them apart.
bool hung_up(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

std::string card_reader_device(const IniFile& ini, const std::string& business) {
    const std::string device = trim(ini.get("ESTACION_CREDIT_PUERTO", business));
    return device.empty() ? kDefaultDevice : device;
}

SerialPort::~SerialPort() { close(); }

bool SerialPort::open(const std::string& device) {
    close();
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    if (!isatty(fd) || !configure(fd)) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

long SerialPort::read(char* buffer, std::size_t size) {
    if (m_fd < 0) return -1;
    if (size == 0) return 0;
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n > 0) return static_cast<long>(n);
        if (n == 0) return hung_up(m_fd) ? -1 : 0;
        if (errno == EINTR) continue;
        return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
    }
}

void SerialPort::close() {
    if (m_fd < 0) return;
    ::close(m_fd);
    m_fd = -1;
}

}  // namespace qz::services::terminals
