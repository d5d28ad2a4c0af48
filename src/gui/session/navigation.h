#pragma once
// Links between screens of different folders: a screen that opens another one it does not own
// asks the session's navigation, which the application implements (gui/main/app_navigation.cpp)
// and the application context holds. It is also what the session lends the framework's pieces
// (FrameworkLinks), which reach it through the main window they sit in. Tests hand screens a
// navigation that records the calls.
#include <string>

#include "core/date.h"
#include "gui/framework/workspace.h"

class QWidget;

namespace qz::gui {

// One cell of the spa agenda: the room's code, the agenda's day and the row's time ("HH:MM").
struct SpaSlot {
    std::string room;
    Date day;
    std::string time;
};

class Navigation : public FrameworkLinks {
public:
    // The agenda's empty cell: a new reservation for that room, day and start time.
    virtual void new_reservation(QWidget* owner, const SpaSlot& slot) = 0;
    // The agenda's taken cell: the reservations of that room, day and row (VER_SRES).
    virtual void slot_reservations(QWidget* owner, const SpaSlot& slot) = 0;
};

}  // namespace qz::gui
