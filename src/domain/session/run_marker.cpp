#include "domain/session/run_marker.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

namespace qz::domain {

namespace fs = std::filesystem;

fs::path run_directory(const std::string& home) { return fs::path(home) / "TEMP" / "RUN"; }

bool take_abnormal_ends(const fs::path& dir) {
    std::error_code ec;
    bool abnormal = false;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        if (e.path().extension() != ".run") continue;
        const long pid = std::strtol(e.path().stem().c_str(), nullptr, 10);
        if (pid <= 0 || pid == ::getpid()) continue;
        // Still running (another workstation session of this machine): not an abnormal end.
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
        abnormal = true;
        fs::remove(e.path(), ec);
    }
    return abnormal;
}

RunMarker::RunMarker(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    m_file = dir / (std::to_string(::getpid()) + ".run");
    std::ofstream(m_file) << ::getpid() << "\n";
}

RunMarker::~RunMarker() {
    std::error_code ec;
    fs::remove(m_file, ec);
}

}  // namespace qz::domain
