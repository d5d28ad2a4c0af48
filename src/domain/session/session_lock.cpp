#include <algorithm>

#include "domain/session/login.h"

namespace qz::domain {

bool lock_request_applies(const Session& session, bool module_login, bool minimised) {
    return module_login && !minimised && session.logged_in && session.lock.XAPP_IN_MESSAGETIME == 0;
}

bool idle_lock_due(const Session& session, const AppSettings& settings, long long last_input_ms,
                   long long now_ms) {
    if (settings.XAPP_MESSAGE_NOCHECK != 0 || !session.logged_in ||
        session.lock.XAPP_IN_MESSAGETIME != 0 || settings.XAPP_MAX_MESSAGETIME <= 0)
        return false;
    // Unlocking counts as activity: the clock restarts from whichever came last.
    const long long since = std::max(last_input_ms, session.lock.XAPP_LAST_MESSAGETIME);
    return now_ms - since >= settings.XAPP_MAX_MESSAGETIME;
}

void begin_lock(Session& session) { session.lock.XAPP_IN_MESSAGETIME = 1; }

void end_lock(Session& session, long long now_ms) {
    session.lock.XAPP_IN_MESSAGETIME = 0;
    session.lock.XAPP_LAST_MESSAGETIME = now_ms;
}

}  // namespace qz::domain
