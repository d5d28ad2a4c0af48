#pragma once
// Helpers of the workbook tests: a scratch folder, a small BMP logo and reading back a cell of a
// saved book by its spreadsheet address.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "services/print/excel_sink.h"
#include "services/workbook/xlsx_reader.h"

namespace qz::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "qzbook.XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A 2 × 2 pixel, 24-bit BMP.
inline void write_bmp(const std::filesystem::path& file) {
    const unsigned char bmp[] = {'B',  'M',  70,  0, 0, 0, 0,  0, 0,   0,   54,   0,    0,   0,
                                 40,   0,    0,   0, 2, 0, 0,  0, 2,   0,   0,    0,    1,   0,
                                 24,   0,    0,   0, 0, 0, 16, 0, 0,   0,   0x13, 0x0B, 0,   0,
                                 0x13, 0x0B, 0,   0, 0, 0, 0,  0, 0,   0,   0,    0,    255, 0,
                                 0,    0,    255, 0, 0, 0, 0,  0, 255, 255, 255,  255,  0,   0};
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

inline services::PrintStamp test_stamp() {
    return {{Date(2026, 3, 5), "14:30:15"}, "ADM", "caja1"};
}

// The cell at a spreadsheet address (1-based row and column) of a sheet read back.
inline services::SheetCell cell(const services::Sheet& sheet, int row, int col) {
    const auto it = sheet.cells.find({row - 1, col - 1});
    return it == sheet.cells.end() ? services::SheetCell{} : it->second;
}

inline std::vector<services::Sheet> read_back(const std::filesystem::path& file) {
    auto sheets = services::read_xlsx(file);
    EXPECT_TRUE(sheets.has_value()) << file;
    return sheets.value_or(std::vector<services::Sheet>{services::Sheet{}});
}

}  // namespace qz::test
