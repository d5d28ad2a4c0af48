#pragma once
// Golden files: the expected text of a printout, kept in the folder "golden" beside the test
// source `source` (its __FILE__). QZ_UPDATE_GOLDEN=1 writes the actual text there instead.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace qz::test {

inline std::string golden_at(const char* source, const std::string& name,
                             const std::string& actual) {
    // __FILE__ is relative to the build directory, two levels above the test program.
    std::filesystem::path here(source);
    if (here.is_relative())
        here = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / here;
    const auto path = here.parent_path() / "golden" / name;
    if (const char* up = std::getenv("QZ_UPDATE_GOLDEN"); up && std::string(up) == "1") {
        std::ofstream(path, std::ios::binary) << actual;
        return actual;
    }
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace qz::test
