#pragma once
// Fatal signals (a segmentation fault, an abort, a floating-point trap…) cannot be handled like
// an exception: after one, the process may not touch its heap, its database connection or Qt.
// What it can still do safely is write a small file with open/write/close. The next start of
// the application on the installation finds those files and records each crash the way the
// error handler records any other failure: an ERROR record and the session's LOG_E_S record
// marked "*", in one transaction.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "data/db.h"

namespace qz::domain {

// The directory holding the crash files of an installation: <home>/TEMP/CRASH.
std::filesystem::path crash_directory(const std::string& home);

// Installs the handlers of SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT (on an alternate stack,
// so that a stack overflow is caught too). On a signal the handler writes <dir>/<pid>.crash and
// lets the signal end the process as it would have. Calling it again (after the login knows the
// session's record) only updates what the file will say.
void arm_crash_marker(const std::filesystem::path& dir, std::optional<long> rec_e_s);

struct CrashMarker {
    std::filesystem::path file;
    int signal = 0;
    long pid = 0;
    std::optional<long> rec_e_s;
    DateTime at;  // workstation time of the crash
};

// The crash files in `dir`, oldest first; unreadable files are skipped.
std::vector<CrashMarker> read_crash_markers(const std::filesystem::path& dir);

// "SIGSEGV" for 11, "señal 42" for a number without a name.
std::string signal_name(int signal);

// Records every crash file of `dir` and removes it; returns how many were recorded. A file
// whose recording fails stays for the next start.
int record_crashes(data::Db& db, const std::filesystem::path& dir);

}  // namespace qz::domain
