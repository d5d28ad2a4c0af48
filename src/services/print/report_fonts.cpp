#include "services/print/report_fonts.h"

#include <array>

namespace qz::services {

namespace {

constexpr std::array<ReportFontSpec, 14> kFonts{{
    {"N", 13, false, 80, 66, 103, 51},
    {"NB", 13, true, 80, 66, 103, 51},
    {"P", 10, false, 96, 66, 124, 51},
    {"PB", 10, true, 96, 66, 124, 51},
    {"S", 9, false, 120, 70, 156, 60},
    {"SB", 9, true, 120, 70, 156, 60},
    {"PP", 7, false, 160, 90, 207, 69},
    {"PPB", 7, true, 160, 90, 207, 69},
    {"XP", 6, false, 200, 100, 258, 85},
    // The bold extra-small font runs wider, so a landscape page holds fewer of its lines.
    {"XPB", 6, true, 200, 100, 258, 77},
    {"ZP", 5, false, 220, 140, 320, 100},
    {"ZPB", 5, true, 220, 140, 320, 100},
    {"BIG", 14, true, 53, 44, 68, 33},
    {"HUG", 20, true, 30, 35, 40, 30},
}};

}  // namespace

const ReportFontSpec& font_spec(ReportFont font) { return kFonts[static_cast<size_t>(font)]; }

}  // namespace qz::services
