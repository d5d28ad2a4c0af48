#pragma once
// A report sent to a workbook instead of the printer. The headings printed between BEGIN_HEADER
// and END_HEADER define the columns (by print column); every later value goes to the column of
// the heading printed at the same print column, as a number, a date or a text by that heading's
// alignment. Values printed anywhere else are left out.
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "services/print/excel_sink.h"
#include "services/workbook/xls_generator.h"

namespace qz::services {

class ReportWorkbook : public ExcelSink {
public:
    // The book is written in `folder` (the session's TEMP); logos come from `bmp_folder`.
    ReportWorkbook(std::filesystem::path folder, const PrintStamp& stamp,
                   std::filesystem::path bmp_folder);

    void add_heading(double row, int column, const std::string& text, int align,
                     bool bold) override;
    void end_header(const std::string& title1) override;
    void add_value(double row, int column, const std::string& text, bool bold) override;
    // An empty path when no heading ever started the book, or when saving failed.
    std::filesystem::path close(const std::vector<std::string>& titles, const std::string& logo,
                                const std::string& file_name) override;

    const std::string& last_error() const { return m_book.last_error(); }

private:
    struct Heading {
        double print_row = 0;
        std::string text;
        int align = 0;
        int row = 0, col = 0;  // data row and column in the book
    };
    void remember_width(int col, const std::string& text);
    XlsValue value_for(const Heading& heading, const std::string& text) const;

    std::filesystem::path m_folder;
    long m_seed;  // of the scratch name the book starts with
    int m_current_year;
    XLS_GENERATOR m_book;
    std::map<int, Heading> m_headings;  // by print column
    std::map<int, size_t> m_widths;     // by book column
    bool m_started = false;
};

// The sink a print job writes to when its output is a workbook. Without `bmp_folder` logos are
// looked for in the BMP folder beside `folder`, where the installation keeps them next to TEMP.
std::unique_ptr<ExcelSink> make_report_workbook(const std::filesystem::path& folder,
                                                const PrintStamp& stamp,
                                                const std::filesystem::path& bmp_folder = {});

}  // namespace qz::services
