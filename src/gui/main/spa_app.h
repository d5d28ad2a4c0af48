#pragma once
// The spa application: a QApplication whose every event handler is guarded by the error
// handler, and the start-up in its fixed order (database, settings, look, login, main window).
#include <QApplication>

#include "gui/session/app_context.h"

namespace qz::gui {

class SpaApplication : public QApplication {
public:
    SpaApplication(int& argc, char** argv, AppContext& ctx);
    // An exception escaping any event handler reaches the error handler instead of ending the
    // process without a word.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    AppContext& m_ctx;
};

// The command line of quartzen-spa, as its --help and its usage errors show it.
inline constexpr const char* kSpaUsage =
    "Uso: quartzen-spa [--home DIR]\n"
    "Abre el modulo SPA de QUARTZEN sobre la instalacion DIR (si no,\n"
    "$QUARTZEN_HOME o ~/.local/share/quartzen).\n";

// Runs the application; `home` is the installation directory. Returns the process exit code:
// 2 for an option neither the program nor Qt knows.
int run_spa(int argc, char** argv, const std::string& home);

// Shows the error window for an outcome of the error handler and acts on the answer; returns
// false when the user chose to leave (the caller ends the process).
bool show_error_outcome(AppContext& ctx, const domain::ErrorOutcome& outcome);

}  // namespace qz::gui
