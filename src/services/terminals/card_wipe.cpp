#include <sodium.h>

#include "services/terminals/card_attempt.h"

namespace qz::services::terminals {

void wipe(void* data, size_t size) {
    if (size) sodium_memzero(data, size);
}

// The whole buffer, not only the characters in use: a longer value held earlier may have left
// card digits beyond the current size.
void wipe(std::string& s) {
    s.resize(s.capacity());
    wipe(s.data(), s.size());
    s.clear();
}

}  // namespace qz::services::terminals
