// Feeds arbitrary bytes to the second card network's reply reader: nothing may crash, and a
// reply read as valid has the shape the card service relies on.
#include <cstdint>
#include <string_view>

#include "services/terminals/sockpos_reply.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    using namespace qz::services::terminals;
    if (const auto r = parse_sockpos_reply(input)) {
        if (r->code.empty() || r->code.size() > 4 || r->fields.size() < 7) __builtin_trap();
        for (const std::string* s : {&r->reference, &r->authorisation, &r->trace})
            if (s->size() > 12) __builtin_trap();
        for (const auto& f : r->fields)
            if (f.find(';') != std::string::npos || f.find('\0') != std::string::npos)
                __builtin_trap();
    }
    if (const auto lines = closing_lines(input))
        if (lines->size() != 8) __builtin_trap();
    return 0;
}
