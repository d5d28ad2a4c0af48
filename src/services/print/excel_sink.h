#pragma once
// Where a print job writes when its output is a workbook instead of pages: the job hands it the
// headings printed between BEGIN_HEADER and END_HEADER, then every non-empty value it prints, by
// print row and print column. The sink decides which heading column a value belongs to.
#include <filesystem>
#include <string>
#include <vector>

#include "core/clock.h"

namespace qz::services {

// The stamp line of printouts and workbooks: when, by whom, on which computer.
struct PrintStamp {
    DateTime at;
    std::string user;      // the user's short code
    std::string computer;  // the computer's name
};

class ExcelSink {
public:
    virtual ~ExcelSink() = default;
    // A heading text; `align` is PRINTOUT's alignment (0 left, 1 centred, 2 right).
    virtual void add_heading(double row, int column, const std::string& text, int align,
                             bool bold) = 0;
    // The headings are complete: the book is created with its sheet named by `title1`.
    virtual void end_header(const std::string& title1) = 0;
    // A printed value, as printed (already formatted by its picture).
    virtual void add_value(double row, int column, const std::string& text, bool bold) = 0;
    // Sets the column widths, writes the header block with titles 1 to 4 and the logo (a file of
    // the installation's BMP folder, or empty) and saves the book as `file_name` in the sink's
    // folder (cleaned, numbered " (2)"... when taken). Returns the file written.
    virtual std::filesystem::path close(const std::vector<std::string>& titles,
                                        const std::string& logo, const std::string& file_name) = 0;
};

}  // namespace qz::services
