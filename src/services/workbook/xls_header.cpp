// The header block every book carries above its data: logo, titles and the stamp line.
#include <algorithm>
#include <cstdint>
#include <fstream>

#include "core/text.h"
#include "services/workbook/xls_generator.h"

namespace qz::services {

namespace {

// The logo is shown 120 × 105 pixels whatever its own size.
constexpr double kLogoWidth = 120, kLogoHeight = 105;
constexpr int kTitleRow = 2, kStampRow = 6;  // 0-based sheet rows 3 and 7

struct BmpSize {
    double width = 0, height = 0;  // at the 96 dpi the spreadsheet lays pictures out with
};

int32_t le32(const unsigned char* p) {
    return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) |
                                (static_cast<uint32_t>(p[3]) << 24));
}

std::optional<BmpSize> bmp_size(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char h[46] = {};
    if (!in.read(reinterpret_cast<char*>(h), sizeof h) || h[0] != 'B' || h[1] != 'M')
        return std::nullopt;
    const double width = le32(h + 18), height = std::abs(static_cast<double>(le32(h + 22)));
    if (width <= 0 || height <= 0) return std::nullopt;
    auto dpi = [](int32_t per_metre) { return per_metre > 0 ? per_metre * 0.0254 : 96.0; };
    return BmpSize{width * 96 / dpi(le32(h + 38)), height * 96 / dpi(le32(h + 42))};
}

std::string stamp_text(const PrintStamp& s) {
    return "QUARTZEN Front-Office/Back-Office   Timestamp: " + s.at.date.dtoc() + " " + s.at.time +
           "  U:" + s.user + " on:" + s.computer;
}

SheetCell text_cell(std::string text, int style) {
    SheetCell c;
    c.type = text.empty() ? CellType::Blank : CellType::Text;
    c.text = std::move(text);
    c.style = style;
    return c;
}

// First and last column holding data (rows below the header block); column 0 alone when none.
std::pair<int, int> data_columns(const Sheet& sheet) {
    int first = -1, last = -1;
    for (const auto& [pos, cell] : sheet.cells) {
        if (pos.first < XLS_GENERATOR::yOffset || cell.type == CellType::Empty) continue;
        first = first < 0 ? pos.second : std::min(first, pos.second);
        last = std::max(last, pos.second);
    }
    return first < 0 ? std::make_pair(0, 0) : std::make_pair(first, last);
}

}  // namespace

std::optional<std::filesystem::path> XLS_GENERATOR::logo_file(const std::string& logo) const {
    const auto given = std::filesystem::path(trim(logo));
    if (given.empty() || given.stem().empty()) return std::nullopt;
    const auto folder = given.is_absolute() ? given.parent_path() : m_bmp_folder;
    const auto wanted = given.stem().string() + ".BMP";
    std::error_code ec;
    // Installations copied from other systems carry the picture as .BMP or .bmp.
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec) && iequals(entry.path().filename().string(), wanted))
            return entry.path();
    }
    return std::nullopt;
}

void XLS_GENERATOR::render_header(Sheet& sheet, const std::vector<std::string>& titles,
                                  const std::string& logo, int columns) const {
    const auto logo_path = logo_file(logo);
    const auto size = logo_path ? bmp_size(*logo_path) : std::nullopt;
    if (size) {
        sheet.pictures.push_back(
            {0, 0, *logo_path, kLogoWidth / size->width, kLogoHeight / size->height});
    }
    // The blanks keep the titles clear of the logo beside them.
    const std::string title_gap(size ? 14 : 0, ' '), subtitle_gap(size ? 32 : 0, ' ');
    for (size_t i = 0; i < titles.size() && i < 4; ++i) {
        if (trim(titles[i]).empty()) continue;
        const bool first = i == 0;
        sheet.cells[{kTitleRow + static_cast<int>(i), 0}] =
            text_cell((first ? title_gap : subtitle_gap) + titles[i],
                      (first ? kTitleStyle : kSubtitleStyle) + 2);
    }
    auto [first, last] = data_columns(sheet);
    last = std::max(last, first + columns - 1);
    for (int col = first; col <= last; ++col)
        sheet.cells[{kStampRow, col}] =
            text_cell(col == first ? stamp_text(m_stamp) : std::string{}, kBorderStyle + 1);
}

}  // namespace qz::services
