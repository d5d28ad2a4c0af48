#include "core/words.h"

#include <fmt/format.h>

#include <algorithm>

#include "core/text.h"

namespace qz {

namespace {

// Spanish words carry syllable marks "-" so the layout can split a word between two lines.
const char* const kUnitsEs[] = {"",      "UN",     "DOS",       "TRES",   "CUA-TRO", "CIN-CO",
                                "SEIS",  "SIE-TE", "O-CHO",     "NUE-VE", "DIEZ",    "ON-CE",
                                "DO-CE", "TRE-CE", "CA-TOR-CE", "QUIN-CE"};
const char* const kTensEs[] = {
    "",          "",          "",          "TREIN-TA", "CUA-REN-TA", "CIN-CUEN-TA",
    "SE-SEN-TA", "SE-TEN-TA", "O-CHEN-TA", "NO-VEN-TA"};
const char* const kHundredsEs[] = {"",
                                   "CIEN-TO ",
                                   "DOS-CIEN-TOS ",
                                   "TRES-CIEN-TOS ",
                                   "CUA-TRO-CIEN-TOS ",
                                   "QUI-NIEN-TOS ",
                                   "SEIS-CIEN-TOS ",
                                   "SE-TE-CIEN-TOS ",
                                   "O-CHO-CIEN-TOS ",
                                   "NO-VE-CIEN-TOS "};

const char* const kUnitsEn[] = {
    "",         "ONE",     "TWO",     "THREE",     "FOUR",      "FIVE",     "SIX",
    "SEVEN",    "EIGHT",   "NINE",    "TEN",       "ELEVEN",    "TWELVE",   "THIRTEEN",
    "FOURTEEN", "FIFTEEN", "SIXTEEN", "SEVENTEEN", "EIGHTTEEN", "NINETEEN", "TWENTY"};
const char* const kTensEn[] = {"",      "",      "",        "THIRTY", "FOURTY",
                               "FIFTY", "SIXTY", "SEVENTY", "EIGHTY", "NINETY"};

// The three-digit groups and the cents of STR(amount, 12, 2).
struct Groups {
    int millions = 0;
    int thousands = 0;
    int units = 0;
    int cents = 0;
};

bool split_groups(const Decimal& amount, Groups& g) {
    Decimal a = amount.abs().round(2);
    if (a >= Decimal(1000000000)) return false;
    long long whole = a.to_int();
    g.cents = static_cast<int>(a.to_scaled(2) % 100);
    g.units = static_cast<int>(whole % 1000);
    g.thousands = static_cast<int>(whole / 1000 % 1000);
    g.millions = static_cast<int>(whole / 1000000);
    return true;
}

std::string group_es(int n) {
    if (n == 100) return "CIEN";
    std::string w = kHundredsEs[n / 100];
    int rest = n % 100, unit = n % 10;
    if (rest >= 1 && rest <= 15)
        w += kUnitsEs[rest];
    else if (rest >= 16 && rest <= 19)
        w += std::string("DIE-CI") + kUnitsEs[unit];
    else if (rest == 20)
        w += "VEIN-TE";
    else if (rest >= 21 && rest <= 29)
        w += std::string("VEIN-TI") + kUnitsEs[unit];
    else if (rest >= 30) {
        w += kTensEs[rest / 10];
        if (unit != 0) w += std::string(" Y ") + kUnitsEs[unit];
    }
    return w;
}

std::string group_en(int n) {
    if (n == 100) return "HUNDRED";
    std::string w = n >= 100 ? std::string(kUnitsEn[n / 100]) + " HUNDRED " : std::string();
    int rest = n % 100, unit = n % 10;
    if (rest >= 1 && rest <= 20)
        w += kUnitsEn[rest];
    else if (rest >= 21 && rest <= 29)
        w += std::string("TWENTY ") + kUnitsEn[unit];
    else if (rest >= 30) {
        w += kTensEn[rest / 10];
        if (unit != 0) w += std::string(" ") + kUnitsEn[unit];
    }
    return w;
}

std::string text_es(const Groups& g, bool without_cents) {
    std::string t;
    if (g.millions != 0)
        t += group_es(g.millions) + (g.millions > 1 ? " MI-LLO-NES " : " MI-LLON ");
    if (g.thousands != 0) t += group_es(g.thousands) + " MIL ";
    if (g.units != 0) {
        t += group_es(g.units);
        if (t.ends_with("UN")) t += "O";  // 1 is UNO and 21 VEINTIUNO, but 1 000 is UN MIL
    }
    if (!without_cents) t += g.cents != 0 ? fmt::format(" CON {:02d}/100", g.cents) : " EXACTOS";
    return t;
}

std::string text_en(const Groups& g) {
    std::string t;
    if (g.millions != 0) t += group_en(g.millions) + (g.millions > 1 ? " MILLIONS " : " MILLION ");
    if (g.thousands != 0) t += group_en(g.thousands) + " THOUSEND ";
    if (g.units != 0) t += group_en(g.units);
    t += g.cents != 0 ? fmt::format(" WITH {:02d}/100", g.cents) : " EXACT";
    return t;
}

// Cuts the text at every syllable mark and blank and fills a line of `width` with the pieces.
// A piece goes in while the room left holds it plus one character, the one a closing "-" or a
// blank may need. Doubled blanks of the text stay doubled, as on the printed forms.
std::string first_line(std::string_view text, int width) {
    if (width <= 0) return "";
    const size_t w = static_cast<size_t>(width);
    std::string line;
    bool inside_word = false;  // the last piece ended at a syllable mark
    size_t start = 0;
    for (;;) {
        size_t end = text.find_first_of("- ", start);
        std::string_view piece = text.substr(start, end == text.npos ? text.npos : end - start);
        if (w - line.size() < piece.size() + 1) {
            if (inside_word) line += '-';
            return pad_right(line, w, '/');
        }
        line += piece;
        if (end == text.npos) break;
        if (text[end] == ' ') line += ' ';
        inside_word = text[end] == '-';
        start = end + 1;
    }
    return trim(line);
}

}  // namespace

std::string MONEX(const Decimal& amount, int width, bool without_cents) {
    Groups g;
    if (!split_groups(amount, g)) return std::string(static_cast<size_t>(std::max(width, 0)), '*');
    return first_line(text_es(g, without_cents), width);
}

std::string MONEXINGLES(const Decimal& amount, int width) {
    Groups g;
    if (!split_groups(amount, g)) return std::string(static_cast<size_t>(std::max(width, 0)), '*');
    return first_line(text_en(g), width);
}

std::string MONEX2(const Decimal& amount, int width, bool without_cents, int language) {
    return language == 2 ? MONEXINGLES(amount, width) : MONEX(amount, width, without_cents);
}

}  // namespace qz
