#pragma once
// The business date and time (XDATE, XTIME). One Clock serves the whole session: when connected to
// a database server it asks the server, otherwise it reads the workstation; tests fix it.
#include <functional>
#include <optional>
#include <string>

#include "core/date.h"

namespace qz {

struct DateTime {
    Date date;
    std::string time;  // "HH:MM:SS"
};

DateTime workstation_now();

class Clock {
public:
    // Returns the server's date and time, or nullopt when it cannot be asked.
    using ServerSource = std::function<std::optional<DateTime>()>;

    void set_server_source(ServerSource src) { m_server = std::move(src); }
    // XFEC_HORA_LOCAL: 1 = use the workstation clock even when a server is there.
    void set_local_only(bool on) { m_local_only = on; }
    bool local_only() const { return m_local_only; }
    // Fixes the clock (tests, demonstrations); an empty optional releases it.
    void freeze(std::optional<DateTime> at) { m_frozen = std::move(at); }

    DateTime now(bool workstation = false) const;
    Date XDATE(bool workstation = false) const { return now(workstation).date; }
    std::string XTIME(bool workstation = false) const { return now(workstation).time; }

private:
    ServerSource m_server;
    std::optional<DateTime> m_frozen;
    bool m_local_only = false;
};

}  // namespace qz
