#include "domain/session/crash_marker.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fstream>

#include "data/transaction.h"
#include "domain/session/error_handler.h"
#include "domain/session/log_sessions.h"

namespace qz::domain {

namespace {

constexpr int kSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

// Everything the handler needs is prepared here beforehand: it may not allocate.
char g_path[4096];
char g_tail[128];  // "PID n\nREC n\n"
bool g_armed = false;
alignas(16) char g_alt_stack[64 * 1024];

// Writes the decimal digits of v into buf (at least 24 bytes); returns the length.
int put_number(char* buf, long long v) {
    char tmp[24];
    int n = 0;
    bool neg = v < 0;
    unsigned long long u = neg ? 0ULL - static_cast<unsigned long long>(v) : v;
    do {
        tmp[n++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u);
    int len = 0;
    if (neg) buf[len++] = '-';
    while (n) buf[len++] = tmp[--n];
    return len;
}

void write_all(int fd, const char* p, size_t n) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w <= 0) return;
        p += w;
        n -= static_cast<size_t>(w);
    }
}

extern "C" void on_fatal_signal(int sig) {
    int fd = ::open(g_path, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        char line[64];
        int n = 0;
        std::memcpy(line, "SIGNAL ", 7);
        n = 7 + put_number(line + 7, sig);
        line[n++] = '\n';
        std::memcpy(line + n, "TIME ", 5);
        n += 5;
        n += put_number(line + n, static_cast<long long>(::time(nullptr)));
        line[n++] = '\n';
        write_all(fd, line, static_cast<size_t>(n));
        write_all(fd, g_tail, std::strlen(g_tail));
        ::close(fd);
    }
    // The default action ends the process as the signal would have (with its core dump).
    ::signal(sig, SIG_DFL);
    ::raise(sig);
}

DateTime local_moment(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    return {Date(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday), time};
}

std::optional<CrashMarker> read_marker(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) return std::nullopt;
    CrashMarker m;
    m.file = file;
    std::string key;
    long long value = 0;
    bool has_signal = false;
    std::time_t at = 0;
    while (in >> key >> value) {
        if (key == "SIGNAL") m.signal = static_cast<int>(value), has_signal = true;
        else if (key == "TIME") at = static_cast<std::time_t>(value);
        else if (key == "PID") m.pid = static_cast<long>(value);
        else if (key == "REC") m.rec_e_s = static_cast<long>(value);
    }
    if (!has_signal) return std::nullopt;
    m.at = local_moment(at);
    return m;
}

}  // namespace

std::filesystem::path crash_directory(const std::string& home) {
    return std::filesystem::path(home) / "TEMP" / "CRASH";
}

void arm_crash_marker(const std::filesystem::path& dir, std::optional<long> rec_e_s) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    std::string path = (dir / (std::to_string(::getpid()) + ".crash")).string();
    std::string tail = "PID " + std::to_string(::getpid()) + "\n";
    if (rec_e_s) tail += "REC " + std::to_string(*rec_e_s) + "\n";
    std::snprintf(g_path, sizeof g_path, "%s", path.c_str());
    std::snprintf(g_tail, sizeof g_tail, "%s", tail.c_str());
    if (g_armed) return;
    stack_t ss{};
    ss.ss_sp = g_alt_stack;
    ss.ss_size = sizeof g_alt_stack;
    ::sigaltstack(&ss, nullptr);
    struct sigaction sa {};
    sa.sa_handler = on_fatal_signal;
    sa.sa_flags = SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int s : kSignals) ::sigaction(s, &sa, nullptr);
    g_armed = true;
}

std::vector<CrashMarker> read_crash_markers(const std::filesystem::path& dir) {
    std::vector<CrashMarker> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) {
        if (e.path().extension() != ".crash") continue;
        if (auto m = read_marker(e.path())) out.push_back(std::move(*m));
    }
    std::sort(out.begin(), out.end(), [](const CrashMarker& a, const CrashMarker& b) {
        return std::pair(a.at.date, a.at.time) < std::pair(b.at.date, b.at.time);
    });
    return out;
}

std::string signal_name(int signal) {
    switch (signal) {
        case SIGSEGV: return "SIGSEGV";
        case SIGBUS: return "SIGBUS";
        case SIGFPE: return "SIGFPE";
        case SIGILL: return "SIGILL";
        case SIGABRT: return "SIGABRT";
        default: return "señal " + std::to_string(signal);
    }
}

int record_crashes(data::Db& db, const std::filesystem::path& dir) {
    int recorded = 0;
    for (const CrashMarker& m : read_crash_markers(dir)) {
        // Two workstations starting at once on a shared installation must not both record the
        // same crash: the one whose rename succeeds takes it.
        std::filesystem::path taken = m.file;
        taken += ".taken";
        std::error_code ec;
        std::filesystem::rename(m.file, taken, ec);
        if (ec) continue;
        std::string message = "La aplicación terminó por una falla fatal (" + signal_name(m.signal) + ")";
        std::string detail = "Señal " + std::to_string(m.signal) + " el " + m.at.date.dtoc() + " " +
                             m.at.time + ", proceso " + std::to_string(m.pid);
        try {
            data::Transaction tx(db);
            write_error_record(db, message, detail);
            if (m.rec_e_s) mark_session_fatal(db, *m.rec_e_s, message, detail, m.at);
            tx.commit();
        } catch (const std::exception&) {
            std::filesystem::rename(taken, m.file, ec);  // the next start tries again
            continue;
        }
        std::filesystem::remove(taken, ec);
        ++recorded;
    }
    return recorded;
}

}  // namespace qz::domain
