#pragma once
// The administrator's exit request: the file BLOQUEAD.! in the installation directory asks the
// running sessions to leave within 5 minutes. Position 1 is "1" when even supervisors and
// exempt users must go; positions 2 onward are one "0"/"1" flag per family of modules. The
// request applies to a module when every flag is "0" or the module's own flag is "1".
//
// Every workstation looks at the file at login and every 60 seconds; the rules here are pure
// functions of its content so the main window only has to run the timers and show the alarm.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/user_port.h"
#include "domain/session/session.h"

namespace qz::domain {

inline constexpr std::string_view kExitRequestFile = "BLOQUEAD.!";
// Only this much of the file is read.
inline constexpr size_t kExitRequestLength = 50;
// The login consults only the flags the users screen writes.
inline constexpr int kLoginLastFlag = 17;
// Time a session is given to leave.
inline constexpr long long kForcedExitMillis = 300000;

std::optional<std::string> read_exit_request(const std::filesystem::path& home);
bool exit_request_exists(const std::filesystem::path& home);

// Position (2 to 19) of the flag of a module family; 0 for a module without one.
int exit_flag_position(std::string_view module_id);
// Whether the request concerns the module, looking only at the flags up to `last_flag`.
bool exit_request_applies(std::string_view content, std::string_view module_id,
                          int last_flag = static_cast<int>(kExitRequestLength));
// Position 1 = "1": nobody is exempt, supervisors included.
bool exemptions_cancelled(std::string_view content);

enum class QuitAlarm {
    None,
    Countdown,     // the session must leave within 5 minutes
    ExemptNotice,  // everybody was asked to leave, but not this session
};

struct QuitDecision {
    bool cancel_exemptions = false;  // XNO_SALIR := 0, XSUPERACCESS := 0
    QuitAlarm alarm = QuitAlarm::None;
};

// One look at the request (CHECK_QUIT): nothing for GETUP, while IN_CH_STRUC is 1 or while a
// forced exit is already running. `content` is empty when there is no file.
QuitDecision CHECK_QUIT(const std::optional<std::string>& content, std::string_view module_id,
                        int XNO_SALIR, int XSUPERACCESS, int IN_CH_STRUC, bool exit_running);

const std::vector<std::string>& countdown_alarm_lines();
const std::vector<std::string>& exempt_alarm_lines();

enum class CountdownTick {
    Wait,    // keep counting
    Paused,  // IN_CH_STRUC is 1: stop the timer until the structure change ends
    Exit,    // time is up: end the session without writing its exit
};

// A tick of the countdown, `elapsed_ms` after it started. Supervisors are never put out.
CountdownTick countdown_tick(int XSUPERACCESS, int IN_CH_STRUC, long long elapsed_ms);

// The main window's side of the rule: Por_Salir, Time_Salir and the exempt notice, shown once
// per request.
class ForcedExit {
public:
    // Runs CHECK_QUIT for the session, cancelling its exemptions when the request says so, and
    // returns the alarm to show (None when nothing is to be shown this time).
    QuitAlarm check(Session& s, const std::optional<std::string>& content, int IN_CH_STRUC,
                    long long now_ms);
    CountdownTick tick(const Session& s, int IN_CH_STRUC, long long now_ms) const;
    bool running() const { return m_running; }

private:
    bool m_running = false;   // Por_Salir
    long long m_started = 0;  // Time_Salir
    bool m_notice_shown = false;
};

// The module boxes of the users screen, in the order of positions 2 to 17.
const std::array<std::string_view, 16>& exit_request_boxes();
// The file's content: "1" when even supervisors must leave, else "0", then the 16 boxes.
std::string exit_request_text(bool everybody, const std::array<bool, 16>& modules);
// "Obligar Salida ...": writes the file at once, replacing any earlier one as a whole so no
// workstation reads it half written. On failure "No se pudo crear el archivo BLOQUEAD.!".
bool write_exit_request(const std::filesystem::path& home, UserPort& port, bool everybody,
                        const std::array<bool, 16>& modules);
// "Acceso Libre": removes the request.
void free_access(const std::filesystem::path& home);

}  // namespace qz::domain
