// Feeds arbitrary bytes to the server parameter file reader.
#include <cstdint>
#include <string>

#include "data/ads_def.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto p = qz::data::parse_ads_def(std::string(reinterpret_cast<const char*>(data), size));
    if (p.ts.size() < 100 || p.cache_records < 0) __builtin_trap();
    (void)p.id_enabled(static_cast<int>(size % 120));
    return 0;
}
