#include "domain/session/forced_exit.h"

#include <unistd.h>

#include <fstream>
#include <system_error>

namespace qz::domain {

namespace fs = std::filesystem;

namespace {

struct FlagRow {
    int position;
    std::vector<std::string_view> modules;
};

// Which flag of the request speaks for which modules. Position 9 belongs to no module of the
// suite any more; the users screen still writes it.
const std::vector<FlagRow>& flag_rows() {
    static const std::vector<FlagRow> rows = {
        {2, {"INV", "TIME_SHARE", "IMPORTAR", "T_SHARE"}},
        {3, {"CXP"}},
        {4, {"CXC"}},
        {5, {"CHK"}},
        {6, {"PLA", "FICH"}},
        {7, {"CNT"}},
        {8, {"HOTEL", "CONFIGURA", "SOPORTE", "STATSERV", "HOT_1", "HOT_2"}},
        {10, {"RES", "DEPO"}},
        {11, {"ACT"}},
        {12, {"TEL", "C_TEL", "HMONITOR", "C_R_TEL", "INTERFAZ", "CONTROL"}},
        {13, {"G_S"}},
        {14, {"MAILSERVER", "MAILING"}},
        {15, {"WEBSERV"}},
        {16, {"VENTAS", "PDA_REST"}},
        {17, {"EVENTOS"}},
        {18, {"CRM"}},
        {19, {"SPA"}},
    };
    return rows;
}

// Character at a 1-based position; a short file reads as "0" beyond its end.
char at(std::string_view content, int position) {
    size_t i = static_cast<size_t>(position - 1);
    return i < content.size() ? content[i] : '0';
}

// The getup service wakes guests; it must never be put out.
constexpr std::string_view kNeverForced = "GETUP";

fs::path request_path(const fs::path& home) { return home / std::string(kExitRequestFile); }

}  // namespace

std::optional<std::string> read_exit_request(const fs::path& home) {
    std::ifstream in(request_path(home), std::ios::binary);
    if (!in) return std::nullopt;
    std::string content(kExitRequestLength, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<size_t>(in.gcount()));
    return content;
}

bool exit_request_exists(const fs::path& home) {
    std::error_code ec;
    return fs::exists(request_path(home), ec);
}

int exit_flag_position(std::string_view module_id) {
    for (const auto& row : flag_rows())
        for (auto m : row.modules)
            if (m == module_id) return row.position;
    return 0;
}

bool exit_request_applies(std::string_view content, std::string_view module_id, int last_flag) {
    int digit_sum = 0;
    for (int p = 2; p <= last_flag && static_cast<size_t>(p) <= content.size(); ++p) {
        char c = at(content, p);
        if (c >= '0' && c <= '9') digit_sum += c - '0';
    }
    if (digit_sum == 0) return true;
    const int own = exit_flag_position(module_id);
    return own != 0 && own <= last_flag && at(content, own) == '1';
}

bool exemptions_cancelled(std::string_view content) { return at(content, 1) == '1'; }

QuitDecision CHECK_QUIT(const std::optional<std::string>& content, std::string_view module_id,
                        int XNO_SALIR, int XSUPERACCESS, int IN_CH_STRUC, bool exit_running) {
    QuitDecision d;
    if (module_id == kNeverForced || IN_CH_STRUC == 1 || exit_running || !content) return d;
    d.cancel_exemptions = exemptions_cancelled(*content);
    if (d.cancel_exemptions) XNO_SALIR = XSUPERACCESS = 0;
    if (!exit_request_applies(*content, module_id)) return d;
    d.alarm = XNO_SALIR == 0 && XSUPERACCESS == 0 ? QuitAlarm::Countdown : QuitAlarm::ExemptNotice;
    return d;
}

const std::vector<std::string>& countdown_alarm_lines() {
    static const std::vector<std::string> lines = {
        "Debe salir del sistema en máximo 5 minutos!",
        "Pasados los 5 minutos, el sistema automáticamente", "se cerrará."};
    return lines;
}

const std::vector<std::string>& exempt_alarm_lines() {
    static const std::vector<std::string> lines = {
        "Se ha solicitado a todos los usuarios", "salir del Sistema.",
        "En _su_ calidad de Supervisor, Ud. NO será obligado"};
    return lines;
}

CountdownTick countdown_tick(int XSUPERACCESS, int IN_CH_STRUC, long long elapsed_ms) {
    if (IN_CH_STRUC == 1) return CountdownTick::Paused;
    if (XSUPERACCESS == 0 && elapsed_ms >= kForcedExitMillis) return CountdownTick::Exit;
    return CountdownTick::Wait;
}

QuitAlarm ForcedExit::check(Session& s, const std::optional<std::string>& content, int IN_CH_STRUC,
                            long long now_ms) {
    // A withdrawn request lets the next one be announced again.
    if (!content) m_notice_shown = false;
    QuitDecision d =
        CHECK_QUIT(content, s.XID_MODULO, s.XNO_SALIR, s.XSUPERACCESS, IN_CH_STRUC, m_running);
    if (d.cancel_exemptions) s.XNO_SALIR = s.XSUPERACCESS = 0;
    switch (d.alarm) {
        case QuitAlarm::Countdown:
            m_running = true;
            m_started = now_ms;
            return QuitAlarm::Countdown;
        case QuitAlarm::ExemptNotice:
            if (m_notice_shown) return QuitAlarm::None;
            m_notice_shown = true;
            return QuitAlarm::ExemptNotice;
        case QuitAlarm::None:
            break;
    }
    return QuitAlarm::None;
}

CountdownTick ForcedExit::tick(const Session& s, int IN_CH_STRUC, long long now_ms) const {
    if (!m_running) return CountdownTick::Wait;
    return countdown_tick(s.XSUPERACCESS, IN_CH_STRUC, now_ms - m_started);
}

const std::array<std::string_view, 16>& exit_request_boxes() {
    static const std::array<std::string_view, 16> boxes = {
        "Inventarios", "CxP",           "CxC",          "Bancos",  "Planillas", "Contabilidad",
        "Hotel",       "Guest Service", "Eventos/Res.", "Activos", "Central",   "Guest Service",
        "Mail-Server", "Web-Server",    "Restaurante",  "Eventos"};
    return boxes;
}

std::string exit_request_text(bool everybody, const std::array<bool, 16>& modules) {
    std::string text(1, everybody ? '1' : '0');
    for (bool on : modules) text += on ? '1' : '0';
    return text;
}

bool write_exit_request(const fs::path& home, UserPort& port, bool everybody,
                        const std::array<bool, 16>& modules) {
    // Written beside the final name and renamed over it: a workstation reading at that instant
    // sees the old request or the new one, never a part.
    const fs::path final_path = request_path(home);
    const fs::path temp_path =
        home / (std::string(kExitRequestFile) + "." + std::to_string(getpid()) + ".tmp");
    bool ok = false;
    {
        std::ofstream out(temp_path, std::ios::binary | std::ios::trunc);
        out << exit_request_text(everybody, modules);
        out.flush();
        ok = static_cast<bool>(out);
    }
    std::error_code ec;
    if (ok) fs::rename(temp_path, final_path, ec);
    if (!ok || ec) {
        fs::remove(temp_path, ec);
        port.message(MsgStyle::Error, "Error", "No se pudo crear el archivo BLOQUEAD.!");
        return false;
    }
    return true;
}

void free_access(const fs::path& home) {
    std::error_code ec;
    fs::remove(request_path(home), ec);
}

}  // namespace qz::domain
