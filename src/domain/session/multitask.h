#pragma once
// MULTITASK: long loops call it so the window keeps repainting. Dispatching messages on every
// call would slow the loop down, so it only breathes once every XMULTITASK[1] calls.
#include "core/user_port.h"
#include "domain/session/settings.h"

namespace qz::domain {

// Counts the call and, when the period is reached (or `force` is set, or the period is 0),
// lets the interface breathe `rounds` times. A call made while it is already breathing returns
// at once: a message handler that starts another long loop must not nest the dispatch.
void MULTITASK(AppSettings& s, UserPort& port, int rounds = 1, bool force = false);

}  // namespace qz::domain
