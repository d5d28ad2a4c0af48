#pragma once
// The card reader's serial line: a POSIX terminal device opened without blocking at 9600 baud,
// 8 data bits, no parity, 1 stop bit, raw (no echo, no line editing, no character translation),
// so a stripe's track arrives byte for byte and reading never waits for the swipe.
#include <cstddef>
#include <string>

#include "core/ini_file.h"

namespace qz::services::terminals {

// The reader's device on this workstation: section ESTACION_CREDIT_PUERTO of QUARTZEN.INI, key
// business code; the second serial port when the key is missing or blank.
std::string card_reader_device(const IniFile& ini, const std::string& business);

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // False when the device cannot be opened or is not a terminal (the port stays closed).
    bool open(const std::string& device);
    bool is_open() const { return m_fd >= 0; }
    // Reads what has arrived, at most `size` bytes, without waiting: the count read (0 when
    // nothing is there), or -1 when the line failed (the device went away).
    long read(char* buffer, std::size_t size);
    // Closing a closed port does nothing.
    void close();

private:
    int m_fd = -1;
};

}  // namespace qz::services::terminals
