#include "core/text.h"

#include <cstdio>

namespace qz {

namespace {
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool is_cont(unsigned char c) { return (c & 0xC0) == 0x80; }
}  // namespace

std::string upper_ascii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

std::string lower_ascii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

std::string rtrim(std::string_view s) {
    size_t e = s.size();
    while (e > 0 && is_blank(s[e - 1])) --e;
    return std::string(s.substr(0, e));
}

std::string ltrim(std::string_view s) {
    size_t b = 0;
    while (b < s.size() && is_blank(s[b])) ++b;
    return std::string(s.substr(b));
}

std::string trim(std::string_view s) { return ltrim(rtrim(s)); }

size_t utf8_length(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if (!is_cont(c)) ++n;
    return n;
}

std::string utf8_substr(std::string_view s, size_t from, size_t count) {
    size_t i = 0, ch = 0;
    while (i < s.size() && ch < from) {
        ++i;
        while (i < s.size() && is_cont(static_cast<unsigned char>(s[i]))) ++i;
        ++ch;
    }
    size_t b = i;
    ch = 0;
    while (i < s.size() && ch < count) {
        ++i;
        while (i < s.size() && is_cont(static_cast<unsigned char>(s[i]))) ++i;
        ++ch;
    }
    return std::string(s.substr(b, i - b));
}

std::string pad_right(std::string_view s, size_t width, char fill) {
    size_t len = utf8_length(s);
    if (len >= width) return utf8_substr(s, 0, width);
    std::string r(s);
    r.append(width - len, fill);
    return r;
}

std::string pad_left(std::string_view s, size_t width, char fill) {
    size_t len = utf8_length(s);
    if (len >= width) return utf8_substr(s, 0, width);
    return std::string(width - len, fill) + std::string(s);
}

std::string str_int(long long n, int width) {
    std::string d = std::to_string(n);
    if (static_cast<int>(d.size()) > width) return std::string(static_cast<size_t>(width), '*');
    return std::string(static_cast<size_t>(width) - d.size(), ' ') + d;
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool starts_with(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> out;
    size_t b = 0;
    for (size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == sep) {
            out.emplace_back(s.substr(b, i - b));
            b = i + 1;
        }
    }
    return out;
}

bool valid_email(std::string_view address) {
    const std::string a = trim(address);
    const size_t at = a.find('@');
    if (at == std::string::npos || at == 0 || a.find('@', at + 1) != std::string::npos)
        return false;
    for (unsigned char c : a)
        if (c <= ' ' || c == '<' || c == '>' || c == ',' || c == ';' || c == '"') return false;
    const std::string domain = a.substr(at + 1);
    const size_t dot = domain.find('.');
    return dot != std::string::npos && dot > 0 && domain.back() != '.' &&
           domain.find("..") == std::string::npos;
}

}  // namespace qz
