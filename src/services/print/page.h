#pragma once
// A printed page as a list of drawing operations in device units. The same list is drawn on the
// printer, kept for the preview, or written out as text to compare a layout with its golden file.
#include <string>
#include <vector>

#include "services/print/report_fonts.h"

namespace qz::services {

// Colours are 0xBBGGRR like the suite's settings store them (14474460 is a light grey).
inline constexpr long kWhite = 0xFFFFFF;
inline constexpr long kNoFill = -1;

struct DrawOp {
    enum class Kind { Text, Line, Rect, RoundRect, Picture };
    Kind kind = Kind::Text;
    // Text: anchor point (x per alignment, y the top of the text). Line: from (x, y) to (x2, y2).
    // Rect, RoundRect, Picture: corners (x, y) and (x2, y2).
    int x = 0, y = 0, x2 = 0, y2 = 0;
    int align = 0;        // text: 0 left, 1 centred, 2 right of x
    bool opaque = false;  // text: on a white background
    FontRef font;         // text
    std::string text;     // text; picture: the file
    long fill = kNoFill;  // rect, round rect: fill colour, kNoFill for an outline only
    int pen = 1;          // line and outline width in device units; 0 = no outline
    int radius = 0;       // round rect: corner radius
};

struct Page {
    int width = 0, height = 0;
    int dpi = 72;  // font sizes in points become device units at this resolution
    std::vector<DrawOp> ops;
};

// One line per operation, numbers as integers, texts quoted: stable across runs and platforms.
std::string serialise(const Page& page);
std::string serialise(const DrawOp& op);

}  // namespace qz::services
