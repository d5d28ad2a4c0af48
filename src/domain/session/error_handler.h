#pragma once
// The process-wide error handler, without its window. It is created before anything else and
// lives as long as the process; the GUI hands it every exception that reaches a command boundary
// and shows the window it describes.
//
// For a failure that needs the window it, in this order: rolls back the open transaction (the
// rollback log gets the message as its reason), records the failure in ERROR, marks the
// session's LOG_E_S record "*", and mails the support address (or queues the mail in E_MSGS).
// Only one error window exists at a time: a failure raised while it is up opens no second one.
// Nothing that fails inside the handler ever comes back into it; such failures are kept in
// recording_failures() instead.
#include <functional>
#include <optional>
#include <source_location>
#include <string>
#include <vector>

#include "data/db.h"
#include "domain/session/error_info.h"
#include "domain/session/settings.h"

namespace qz::domain {

// Button ids of the error window.
inline constexpr int kErrRetryButton = 201;
inline constexpr int kErrDefaultButton = 202;
inline constexpr int kErrLeaveButton = 1;

struct ErrorButton {
    int id = 0;
    std::string caption;
    bool enabled = false;
    bool operator==(const ErrorButton&) const = default;
};

// Everything the window "ERROR_SPEC" shows.
struct ErrorWindow {
    std::string dialog = "ERROR_SPEC";
    std::string title = "ERROR DE SISTEMA";
    std::string heading = "REPORTE EL SIGUIENTE ERROR PARA SOPORTE TECNICO:";
    std::string message;               // the message box
    std::string header;                // module, workstation time, computer, user, then the message
    std::string detail_box;            // header + line break + detail
    std::vector<ErrorButton> buttons;  // "Reintentar", "Ignorar", "Salir"
};

// What the user picked (the window's result: 3 until the user picks).
enum class ErrorAnswer { Retry = 1, Default = 2, Leave = 3 };

struct ErrorMail {
    std::string to, subject, body;
    std::string username, useraddr;  // the sender
};

// Sends a mail at once; false when it could not be sent.
using ErrorMailSender = std::function<bool(const ErrorMail&)>;

struct ErrorOutcome {
    ErrorClass kind = ErrorClass::Window;
    // The window to show; empty for Absorb and Retry, and when a window is already up.
    std::optional<ErrorWindow> window;
};

class ErrorHandler {
public:
    // The session's connection once it exists; before that failures are only shown.
    void attach(data::Db* db) { m_db = db; }
    void set_settings(const AppSettings* settings) { m_settings = settings; }
    // XREC_E_S: the session's record in LOG_E_S, once the login wrote it.
    void set_session_log(std::optional<long> rec_e_s) { m_rec_e_s = rec_e_s; }
    // How mail is sent at once when XEMAILSEND is 1; without one the mail is queued.
    void set_mail_sender(ErrorMailSender send) { m_send = std::move(send); }

    // Sorts the failure and, when it needs the window, runs handle_failure. `where` is the
    // command boundary that caught it, the outermost line of the detail.
    ErrorOutcome handle(const std::exception& e,
                        std::source_location where = std::source_location::current());
    ErrorOutcome handle(const ErrorInfo& info);
    // The steps before the window; empty when a window is already up.
    std::optional<ErrorWindow> handle_failure(const ErrorInfo& info);

    // The user's answer closes the window. "Reintentar": the caller runs the operation again;
    // "Ignorar": the operation returns its default result, false. "Salir" (or closing the
    // window) writes the session's exit again, commits every table and returns the exit code the
    // process must end with.
    std::optional<int> answer(ErrorAnswer a);

    // XINERRORSYS: the error window is up.
    bool XINERRORSYS() const { return m_in_error; }
    // Set by a contention failure; the retry loops read and clear it.
    bool network_error() const { return m_network_error; }
    void clear_network_error() { m_network_error = false; }
    const std::vector<std::string>& recording_failures() const { return m_failures; }

private:
    template <class F>
    void guarded(const char* step, F&& f);
    void roll_back(const std::string& message);
    ErrorWindow compose(const ErrorInfo& info) const;
    void record(const std::string& message, const std::string& detail);
    void notify(const ErrorWindow& w, const std::string& detail);
    const AppSettings& settings() const;

    data::Db* m_db = nullptr;
    const AppSettings* m_settings = nullptr;
    std::optional<long> m_rec_e_s;
    ErrorMailSender m_send;
    bool m_in_error = false;
    bool m_network_error = false;
    std::string m_message, m_detail;  // of the window that is up
    std::vector<std::string> m_failures;
};

// Appends one failure to ERROR (FECHA, HORA, DESCRIP, DETALLE, INFO).
void write_error_record(data::Db& db, const std::string& message, const std::string& detail);

// Runs `op` again, the way the table layer retries a lock, while it fails with contention
// (ErrorClass::Retry): every poll interval, telling the user after the patience runs out, or
// inside a transaction abandoning it. Any other failure propagates.
void retry_contention(data::Db& db, const std::function<void()>& op);

}  // namespace qz::domain
