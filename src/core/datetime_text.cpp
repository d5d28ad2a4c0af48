#include "core/datetime_text.h"

#include <fmt/format.h>

#include "core/picture.h"
#include "core/text.h"

namespace qz {

namespace {

const char* const kMonthsShort[2][12] = {
    {"ENE", "FEB", "MAR", "ABR", "MAY", "JUN", "JUL", "AGO", "SET", "OCT", "NOV", "DIC"},
    {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"}};
const char* const kMonths[2][12] = {{"ENERO", "FEBRERO", "MARZO", "ABRIL", "MAYO", "JUNIO", "JULIO",
                                     "AGOSTO", "SETIEMBRE", "OCTUBRE", "NOVIEMBRE", "DICIEMBRE"},
                                    {"JANUARY", "FEBRUARY", "MARCH", "APRIL", "MAY", "JUNE", "JULY",
                                     "AUGUST", "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"}};
const char* const kDays[2][7] = {
    {"DOMINGO", "LUNES", "MARTES", "MIERCOLES", "JUEVES", "VIERNES", "SABADO"},
    {"DO", "LU", "MA", "MI", "JU", "VI", "SA"}};
const char* const kNoName = "-----------";

// The number in the two characters at `pos` (0-based), read the lenient way stored times have
// always been read: leading blanks skipped, reading stops at the first non-digit, nothing is 0.
int field(std::string_view time, size_t pos) {
    std::string_view s = pos < time.size() ? time.substr(pos, 2) : std::string_view();
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    int v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

void replace_all(std::string& s, const std::string& from, const std::string& to) {
    if (from.empty()) return;
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

}  // namespace

std::string DTOC2(const Date& date, int language) {
    if (date.empty()) return std::string(11, ' ');
    std::string month = language == 1 || language == 2
                            ? kMonthsShort[language - 1][date.month() - 1]
                            : fmt::format("{:02d}", date.month());
    return fmt::format("{:02d}/{}/{:04d}", date.day(), month, date.year());
}

std::string MES_EN_LETRAS(int month, int language) {
    if (month < 1 || month > 12 || (language != 1 && language != 2)) return kNoName;
    return kMonths[language - 1][month - 1];
}

std::string DIAS_EN_LETRAS(int weekday, int short_form) {
    if (weekday < 1 || weekday > 7) return kNoName;
    return kDays[short_form == 1 ? 1 : 0][weekday - 1];
}

std::string TIME_AMPM(std::string_view time) {
    int hour = field(time, 0);
    bool pm = hour >= 12;
    if (pm) hour -= 12;
    if (pm && hour == 0) hour = 12;
    std::string_view rest = time.size() > 2 ? time.substr(2) : std::string_view();
    return fmt::format("{:02d}{} {}", hour, rest, pm ? "PM" : "AM");
}

long TIME_TO_S(std::string_view time) {
    return field(time, 0) * 3600L + field(time, 3) * 60L + field(time, 6);
}

std::string ALTER_TIME(std::string_view hhmm, int minutes) {
    long total = field(hhmm, 0) * 60L + field(hhmm, 3) + minutes;
    long hour = total / 60, minute = total % 60;
    if (minute < 0) {
        minute += 60;
        --hour;
    }
    return fmt::format("{:02d}:{:02d}", hour, minute);
}

long long N_DATETIME(const Date& date, std::string_view time) {
    constexpr long long kDay = 86400;
    return date.year() * 372 * kDay + date.month() * 31 * kDay + date.day() * kDay +
           TIME_TO_S(time);
}

long long N_DT_DIFF(const Date& date1, std::string_view time1, const Date& date2,
                    std::string_view time2) {
    return N_DATETIME(date2, time2) - N_DATETIME(date1, time1);
}

std::string NUM_INVERSO(const Date& date, std::string_view time) {
    return str_int(days_to_2090(date), 10) + str_int(24 - field(time, 0), 10) +
           str_int(60 - field(time, 3), 10) + str_int(60 - field(time, 6), 10);
}

std::string UP_LOW(std::string_view text,
                   const std::vector<std::pair<std::string, std::string>>& replacements) {
    std::string s(text);
    for (const auto& [from, to] : replacements) replace_all(s, from, to);
    std::string out;
    bool capital = true;
    for (size_t i = 0; i < s.size();) {
        size_t end = i + 1;
        while (end < s.size() && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) ++end;
        std::string_view ch = std::string_view(s).substr(i, end - i);
        out += capital ? upper_latin(ch) : lower_latin(ch);
        capital = ch.size() == 1 && std::string_view(" ,.:;-_()*").find(ch[0]) != ch.npos;
        i = end;
    }
    return out;
}

bool VALID_EMAIL(std::string_view address) {
    std::string a = trim(address);
    return a.find('@') != a.npos && a.find('.') != a.npos && utf8_length(a) > 4 &&
           a.find_first_of(" \t") == a.npos;
}

}  // namespace qz
