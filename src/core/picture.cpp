#include "core/picture.h"

#include <algorithm>

#include "core/text.h"

namespace qz {

namespace {

struct Picture {
    bool european = false;
    bool zero_blank = false;
    bool upper = false;
    bool insert_literals = false;
    std::string_view tmpl;
};

// The function part runs from "@" to the first blank; the template is what follows that blank.
Picture parse_picture(std::string_view p) {
    Picture pic;
    if (p.empty() || p[0] != '@') {
        pic.tmpl = p;
        return pic;
    }
    size_t blank = p.find(' ');
    for (char c : p.substr(1, blank == std::string_view::npos ? p.npos : blank - 1)) {
        switch (c) {
            case 'E':
            case 'e':
                pic.european = true;
                break;
            case 'Z':
            case 'z':
                pic.zero_blank = true;
                break;
            case '!':
                pic.upper = true;
                break;
            case 'R':
            case 'r':
                pic.insert_literals = true;
                break;
            default:
                break;
        }
    }
    pic.tmpl = blank == std::string_view::npos ? std::string_view() : p.substr(blank + 1);
    return pic;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}
bool is_digit_slot(char c) {
    return c == '9' || c == '#';
}

int decimals_of(std::string_view tmpl) {
    size_t point = tmpl.find('.');
    if (point == std::string_view::npos) return 0;
    return static_cast<int>(std::count_if(tmpl.begin() + point, tmpl.end(), is_digit_slot));
}

std::string swap_separators(std::string s) {
    for (char& c : s) c = c == ',' ? '.' : (c == '.' ? ',' : c);
    return s;
}

// Writes an already rounded value into the template; false when the digits or the sign do not fit.
bool fill_number(const Decimal& v, std::string_view tmpl, std::string& out) {
    int decimals = decimals_of(tmpl);
    size_t point = std::min(tmpl.find('.'), tmpl.size());
    std::string digits = v.abs().to_string(decimals);
    size_t digits_point = std::min(digits.find('.'), digits.size());
    std::string whole = digits.substr(0, digits_point);
    if (whole == "0" && std::none_of(tmpl.begin(), tmpl.begin() + point, is_digit_slot))
        whole.clear();  // ".99" shows 0.5 as ".50"
    std::string head(tmpl.substr(0, point));
    size_t left = whole.size();  // digits still to place, taken from the right
    bool minus = v.sign() < 0;
    for (size_t i = head.size(); i-- > 0;) {
        char& c = head[i];
        if (!is_digit_slot(c) && c != ',') continue;
        if (is_digit_slot(c) && left > 0)
            c = whole[--left];
        else if (c == ',' && left > 0 && left < whole.size())
            continue;  // a separator between two digits stays
        else if (minus && left == 0) {
            c = '-';
            minus = false;
        } else
            c = ' ';
    }
    if (left > 0 || minus) return false;
    std::string tail(tmpl.substr(point));
    size_t next = digits_point + 1;
    for (char& c : tail)
        if (is_digit_slot(c)) c = next < digits.size() ? digits[next++] : '0';
    out = head + tail;
    return true;
}

// Thousands separators are accepted only where one belongs: after a digit and before three.
bool separator_fits(std::string_view t, size_t i, char sep, char point) {
    if (i == 0 || !is_digit(t[i - 1]) || i + 3 >= t.size()) return false;
    for (size_t k = i + 1; k <= i + 3; ++k)
        if (!is_digit(t[k])) return false;
    return i + 4 == t.size() || t[i + 4] == sep || t[i + 4] == point;
}

}  // namespace

std::string pic_format(const Decimal& value, std::string_view picture) {
    Picture pic = parse_picture(picture);
    Decimal v = pic.tmpl.empty() ? value : value.round(decimals_of(pic.tmpl));
    std::string out;
    if (pic.tmpl.empty())
        out = v.is_zero() && pic.zero_blank ? std::string() : v.to_string();
    else if (v.is_zero() && pic.zero_blank)
        out.assign(utf8_length(pic.tmpl), ' ');
    else if (!fill_number(v, pic.tmpl, out))
        out.assign(utf8_length(pic.tmpl), '*');
    return pic.european ? swap_separators(out) : out;
}

bool pic_parse(std::string_view typed, std::string_view picture, Decimal& out) {
    Picture pic = parse_picture(picture);
    const char sep = pic.european ? '.' : ',';
    const char point = pic.european ? ',' : '.';
    std::string t = trim(typed);
    std::string plain;
    size_t i = 0;
    if (!t.empty() && t[0] == '-') {
        plain = "-";
        i = t.find_first_not_of(' ', 1);
        if (i == std::string::npos) return false;
    }
    bool seen_point = false;
    for (; i < t.size(); ++i) {
        char c = t[i];
        if (is_digit(c))
            plain += c;
        else if (c == point && !seen_point) {
            seen_point = true;
            plain += '.';
        } else if (c != sep || seen_point || !separator_fits(t, i, sep, point))
            return false;
    }
    Decimal v;
    if (!Decimal::try_parse(plain, v)) return false;
    if (!pic.tmpl.empty()) {
        v = v.round(decimals_of(pic.tmpl));
        std::string shown;
        if (!fill_number(v, pic.tmpl, shown)) return false;
    }
    out = v;
    return true;
}

std::string pic_format_text(std::string_view text, std::string_view picture) {
    Picture pic = parse_picture(picture);
    std::string s = pic.upper ? upper_latin(text) : std::string(text);
    if (pic.tmpl.empty()) return s;
    const size_t length = utf8_length(s);
    size_t next = 0;
    std::string out;
    for (size_t i = 0; i < pic.tmpl.size();) {
        char slot = pic.tmpl[i];
        size_t end = i + 1;
        while (end < pic.tmpl.size() && (static_cast<unsigned char>(pic.tmpl[end]) & 0xC0) == 0x80)
            ++end;
        if (std::string_view("9#ANX!").find(slot) == std::string_view::npos) {
            out += pic.tmpl.substr(i, end - i);
            if (!pic.insert_literals) ++next;
        } else {
            std::string ch = next < length ? utf8_substr(s, next, 1) : std::string(" ");
            out += slot == '!' ? upper_latin(ch) : ch;
            ++next;
        }
        i = end;
    }
    return out;
}

std::string upper_latin(std::string_view text) {
    std::string r = upper_ascii(text);
    // U+00E0..U+00FE are "C3 A0".."C3 BE" in UTF-8; their capitals sit 0x20 lower (÷ excepted).
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        if (static_cast<unsigned char>(r[i]) != 0xC3) continue;
        unsigned char c = static_cast<unsigned char>(r[++i]);
        if (c >= 0xA0 && c <= 0xBE && c != 0xB7) r[i] = static_cast<char>(c - 0x20);
    }
    return r;
}

std::string lower_latin(std::string_view text) {
    std::string r = lower_ascii(text);
    for (size_t i = 0; i + 1 < r.size(); ++i) {
        if (static_cast<unsigned char>(r[i]) != 0xC3) continue;
        unsigned char c = static_cast<unsigned char>(r[++i]);
        if (c >= 0x80 && c <= 0x9E && c != 0x97) r[i] = static_cast<char>(c + 0x20);
    }
    return r;
}

}  // namespace qz
