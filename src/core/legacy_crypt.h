#pragma once
// The position-XOR scrambling that older installations used for stored passwords. It is no
// protection at all and is kept only so such passwords can be read once and re-hashed. It works
// on single-byte codes: pass the legacy Latin-1 bytes, not UTF-8 text.
#include <string>
#include <string_view>

namespace qz {

// Mode 0 returns the text unchanged. Otherwise each byte of the blank-trimmed text at position i
// (from 1) becomes its code XOR i, and the result is blank-padded to the input's length.
std::string ENCRYPT_STRING(std::string_view text, int mode);
// The same routine: XOR undoes itself.
std::string DECRYPT_STRING(std::string_view text, int mode);
// Bitwise exclusive-or of two character codes 0..255.
int C4W_XOR(int a, int b);

}  // namespace qz
