#pragma once
// A session leaves <home>/TEMP/RUN/<pid>.run while it runs and removes it when it ends the
// ordinary way. A marker whose process is gone tells the next start that a session ended
// without leaving (a power cut, a kill, a crash): the database file is checked before use.
#include <filesystem>
#include <string>

namespace qz::domain {

std::filesystem::path run_directory(const std::string& home);

// Whether an earlier session of this machine ended abnormally; its markers are removed.
bool take_abnormal_ends(const std::filesystem::path& dir);

// The marker of this process, removed when the object goes (any ordinary way out).
class RunMarker {
public:
    explicit RunMarker(const std::filesystem::path& dir);
    ~RunMarker();
    RunMarker(const RunMarker&) = delete;
    RunMarker& operator=(const RunMarker&) = delete;

private:
    std::filesystem::path m_file;
};

}  // namespace qz::domain
