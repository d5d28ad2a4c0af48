#include "gui/framework/reentry_guard.h"

#include <QCoreApplication>
#include <exception>

namespace qz::gui {

ReentryGuard::ReentryGuard(QObject* owner, bool& busy)
    : m_owner(owner), m_owned(owner != nullptr), m_busy(busy), m_entered(!busy) {
    if (m_entered) m_busy = true;
}

void ReentryGuard::dismiss() {
    if (!m_entered) return;
    m_entered = false;
    if (!m_owned || m_owner) m_busy = false;
}

ReentryGuard::~ReentryGuard() {
    if (!m_entered) return;
    // An exception on its way out goes to the error handler; no events run under it.
    const auto alive = [this] { return !m_owned || m_owner; };
    if (std::uncaught_exceptions() == 0 && alive()) QCoreApplication::processEvents();
    if (alive()) m_busy = false;
}

}  // namespace qz::gui
