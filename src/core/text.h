#pragma once
// Text helpers shared by every layer. Texts are UTF-8; widths and positions count characters,
// never bytes, so a key padded here matches the one the database pads.
#include <string>
#include <string_view>
#include <vector>

namespace qz {

std::string upper_ascii(std::string_view s);  // a-z only, as SQLite's upper() does
std::string lower_ascii(std::string_view s);
std::string trim(std::string_view s);   // blanks, tabs, CR and LF at both ends
std::string rtrim(std::string_view s);  // same, right end only
std::string ltrim(std::string_view s);

size_t utf8_length(std::string_view s);
// Characters [from, from+count) (0-based); out-of-range parts are simply absent.
std::string utf8_substr(std::string_view s, size_t from, size_t count = std::string::npos);
// Cut or blank-pad to exactly `width` characters, on the right or on the left.
std::string pad_right(std::string_view s, size_t width, char fill = ' ');
std::string pad_left(std::string_view s, size_t width, char fill = ' ');

// STR(n, width): the integer right-aligned in `width` characters, "*" repeated when too wide.
std::string str_int(long long n, int width);

bool iequals(std::string_view a, std::string_view b);  // ASCII case-insensitive
bool starts_with(std::string_view s, std::string_view prefix);
std::vector<std::string> split(std::string_view s, char sep);

// A plausible single mail address: one "@", a non-empty local part, a dotted domain, no blanks
// and nothing that separates or quotes addresses. Blanks around it are ignored.
bool valid_email(std::string_view address);

}  // namespace qz
