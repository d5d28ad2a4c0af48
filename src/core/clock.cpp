#include "core/clock.h"

#include <cstdio>
#include <ctime>

namespace qz {

DateTime workstation_now() {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return {Date(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), buf};
}

DateTime Clock::now(bool workstation) const {
    if (m_frozen) return *m_frozen;
    if (!workstation && !m_local_only && m_server) {
        // A server answer before 1700 is as good as none.
        if (auto dt = m_server(); dt && !dt->date.empty() && dt->date.year() >= 1700) return *dt;
    }
    return workstation_now();
}

}  // namespace qz
