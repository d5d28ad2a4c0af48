#pragma once
// The fourteen report fonts. Each one also fixes the character grid of the page: how many
// columns and lines a page holds in that font, portrait and landscape.
#include <string>

namespace qz::services {

enum class ReportFont { N, NB, P, PB, S, SB, PP, PPB, XP, XPB, ZP, ZPB, BIG, HUG };

struct ReportFontSpec {
    const char* name;  // "N", "NB", ... as the fonts are known
    int points;
    bool bold;
    int chars_portrait, lines_portrait;
    int chars_landscape, lines_landscape;
};

const ReportFontSpec& font_spec(ReportFont font);

// A font as a page operation names it: face, size in points, weight.
struct FontRef {
    std::string face;
    int points = 0;
    bool bold = false;
    bool operator==(const FontRef&) const = default;
};

}  // namespace qz::services
