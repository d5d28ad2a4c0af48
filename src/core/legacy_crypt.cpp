#include "core/legacy_crypt.h"

namespace qz {

std::string ENCRYPT_STRING(std::string_view text, int mode) {
    if (mode == 0) return std::string(text);
    // Only blanks are trimmed, as the old routine did; positions count from the first kept byte.
    size_t first = text.find_first_not_of(' ');
    std::string_view kept;
    if (first != std::string_view::npos)
        kept = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < kept.size(); ++i)
        out += static_cast<char>(
            C4W_XOR(static_cast<unsigned char>(kept[i]), static_cast<int>((i + 1) & 0xFF)));
    out.append(text.size() - out.size(), ' ');
    return out;
}

std::string DECRYPT_STRING(std::string_view text, int mode) {
    return ENCRYPT_STRING(text, mode);
}

int C4W_XOR(int a, int b) {
    return (a ^ b) & 0xFF;
}

}  // namespace qz
