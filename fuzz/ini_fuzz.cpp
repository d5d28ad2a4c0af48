// Feeds arbitrary bytes to the settings-file reader and writer: nothing may crash, and a value
// written must read back.
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "core/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/qz_fuzz_" + std::to_string(getpid()) + ".ini";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data),
                                                static_cast<std::streamsize>(size));
    qz::IniFile ini(path);
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string section = input.substr(0, input.find('\n') == std::string::npos ? 0 : 8);
    (void)ini.get("AUT_CAJA", "HOTEL");
    (void)ini.keys(section);
    try {
        ini.set("LAST_NEG", "LAST_NEG", "HOTEL");
        if (ini.get("LAST_NEG", "LAST_NEG") != "HOTEL") __builtin_trap();
    } catch (const std::exception&) {
        // A file that cannot be rewritten is reported, never half written.
    }
    return 0;
}
