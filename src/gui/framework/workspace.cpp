#include "gui/framework/workspace.h"

#include <QApplication>
#include <QWidget>

#include "gui/framework/wdiag.h"

namespace qz::gui {

void ScreenHost::adopt_screen(WDIAG& screen) { screen.show(); }

namespace {

Workspace* up_from(const QWidget* w) {
    for (; w; w = w->parentWidget())
        if (auto* ws = dynamic_cast<Workspace*>(const_cast<QWidget*>(w))) return ws;
    return nullptr;
}

// The application's workspace: a linear look at the top-level windows, of which a session has
// a handful.
Workspace* application_workspace() {
    if (auto* ws = up_from(QApplication::activeWindow())) return ws;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* ws = dynamic_cast<Workspace*>(w)) return ws;
    return nullptr;
}

}  // namespace

Workspace* workspace_of(const QWidget* widget) {
    if (auto* ws = up_from(widget)) return ws;
    return application_workspace();
}

FrameworkLinks* links_of(const QWidget* widget) {
    Workspace* ws = workspace_of(widget);
    return ws ? ws->links() : nullptr;
}

QWidget* dialog_owner(QWidget* owner) {
    if (owner) return owner;
    Workspace* ws = application_workspace();
    return ws ? ws->workspace_window() : nullptr;
}

bool mail_file(QWidget* owner, const FileMailRequest& request) {
    FrameworkLinks* links = links_of(owner);
    return links && links->mail_file(owner, request);
}

}  // namespace qz::gui
