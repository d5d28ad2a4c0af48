#pragma once
// The application as the user meets it: a test installation holding the demonstration business,
// SUPERVISOR logged in through the session's own login, and the real main window (Principal)
// with its menu, commands and session services, the agenda open as after the start. Screens are
// opened from the menu into the MDI area, and whatever they open lands there too, so a test
// meets the same enabling, disabling and activation between screens as the user does.
#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <utility>
#include <vector>

#include "gui/framework/message_box.h"
#include "gui/framework/wdiag.h"
#include "gui/session/app_context.h"
#include "gui/shell/principal.h"
#include "support/test_db.h"

namespace qz::gui::test {

class MainWindowFixture : public ::testing::Test {
protected:
    // The business day of every test; the demonstration's bookings of "today" fall on it.
    static inline const DateTime kNow{Date(2026, 5, 20), "09:30:00"};

    void SetUp() override;
    void TearDown() override;

    // Chooses the menu command `id` as the user does; the active screen afterwards.
    WDIAG* choose(int id);
    // Chooses the operation `id` of the "Editar" menu, which belongs to the active screen;
    // false when the menu has no such operation enabled.
    bool edit(int id);
    // The screen the user works in now (the active MDI child); null when none.
    WDIAG* active_screen() const;
    // The latest open screen called `dialog_name`; null when none is open.
    WDIAG* screen(const QString& dialog_name) const;
    template <class S>
    S* screen_as(const QString& dialog_name) const {
        return dynamic_cast<S*>(screen(dialog_name));
    }
    // The dialog names of the open screens, in the order they were opened.
    QStringList open_screens() const;
    // Lets queued work run: activation, posted refreshes, deferred deletes.
    static void settle();
    // A right click on `widget` and the item `caption` of the menu it opens; false when the
    // menu had no such item enabled.
    static bool context_menu(QWidget* widget, const QString& caption);
    // Clicks the button `id` of `w` and lets the screen react.
    static void press(QWidget* w, int id);
    // Types into the next form that opens and presses OK; then Cancel when the form is still
    // open (it refused what was typed).
    static void fill_form(std::vector<std::pair<int, QString>> values);

    qz::test::TestInstall install{qz::test::Engine::SQLite};
    AppContext ctx;
    std::unique_ptr<Principal> window;
    MessageBoxScript boxes;
};

}  // namespace qz::gui::test
