#pragma once
// A stripe reader made of a pseudo-terminal: the code under test opens the slave side as its
// serial device, the test writes the card's bytes on the master side as a reader would send them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace qz::services::terminals::test {

class PtyReader {
public:
    PtyReader() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0)
            if (const char* name = ptsname(m_master)) m_device = name;
        EXPECT_FALSE(m_device.empty()) << "no pseudo-terminal";
    }
    ~PtyReader() { unplug(); }
    PtyReader(const PtyReader&) = delete;
    PtyReader& operator=(const PtyReader&) = delete;

    const std::string& device() const { return m_device; }
    void send(std::string_view bytes) {
        ASSERT_EQ(::write(m_master, bytes.data(), bytes.size()),
                  static_cast<ssize_t>(bytes.size()));
        // The bytes reach the slave side through the line discipline's worker: wait until then.
        usleep(20000);
    }
    // The reader goes away: the slave side's reads fail from now on.
    void unplug() {
        if (m_master >= 0) ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    std::string m_device;
};

}  // namespace qz::services::terminals::test
