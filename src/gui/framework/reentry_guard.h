#pragma once
// Keeps a handler from running inside itself. A second press of a button while its handler runs
// must not save twice: the press may arrive while the handler lets the interface breathe or
// shows a message box, or it may sit in the queue behind the first press. The guard holds the
// flag for the handler's whole run and, before letting go, delivers what was queued meanwhile,
// so that press finds the flag still set and is dropped.
#include <QPointer>

class QObject;

namespace qz::gui {

class ReentryGuard {
public:
    // `owner` is the object `busy` belongs to (null for a flag that outlives every handler); the
    // flag is left alone when the handler deleted its owner.
    ReentryGuard(QObject* owner, bool& busy);
    ~ReentryGuard();
    ReentryGuard(const ReentryGuard&) = delete;
    ReentryGuard& operator=(const ReentryGuard&) = delete;

    // False when the handler is already running: the caller drops the event.
    explicit operator bool() const { return m_entered; }
    // Lets go without delivering the queue: for a handler that closed its window, which hears
    // no more presses and must not be deleted while its caller still runs.
    void dismiss();

private:
    QPointer<QObject> m_owner;
    bool m_owned;
    bool& m_busy;
    bool m_entered;
};

}  // namespace qz::gui
