#pragma once
// XLS_GENERATOR: the one workbook writer of the system. Every book it writes looks the same: a
// header block in rows 1 to 8 (logo, titles, the stamp line in row 7) and the data from row 9 on,
// in a fixed set of fonts and formats. Grid exports and reports sent to a workbook both write
// through it. The book is held in memory (sheets can be renamed or dropped, a loaded book is
// written again from its cells) and saved as .xlsx.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "services/print/excel_sink.h"
#include "services/workbook/sheet_model.h"

namespace qz::services {

// What XLSWRITE takes: a text, an exact number or a date.
using XlsValue = std::variant<std::string, Decimal, Date>;
// What GET_CELLDATA gives back; monostate for an empty cell.
using XlsCellData = std::variant<std::monostate, std::string, Decimal, Date, bool>;

// First and last used column and row, 1-based as the spreadsheet shows them; all 0 when empty.
struct SheetRange {
    int first_col = 0, first_row = 0, last_col = 0, last_row = 0;
    bool operator==(const SheetRange&) const = default;
};

class XLS_GENERATOR {
public:
    static constexpr int yOffset = 8;  // data row 1 is sheet row 9

    // `stamp` goes into the stamp line; logos are looked up in `bmp_folder`.
    XLS_GENERATOR(PrintStamp stamp, std::filesystem::path bmp_folder);

    // Starts a book for `folder`/`file_name` (names cleaned). Without `load` the book is new and
    // its first sheet is named `sheet_name`: "HOJA 1" when none is given, "Hoja 1" when it is
    // blank. With `load`, that .xlsx is read and its sheets become the book's (a given sheet name
    // renames the first); false when it cannot be read.
    bool INIT(const std::filesystem::path& folder, const std::string& file_name,
              const std::optional<std::string>& sheet_name = std::nullopt,
              const std::filesystem::path& load = {});

    // Writes data row `row`, column `col` (both 1-based) of the current sheet, at sheet row
    // row + 8. The style follows the value (text, number, date) and the boxed and bold flags.
    // False when the place is outside the sheet.
    bool XLSWRITE(int row, int col, const XlsValue& value, bool boxed = false, bool bold = false);
    void XLSCOLSIZE(int col, double width);

    // The header block of the current sheet: logo (a file of the BMP folder, its extension
    // forced to .BMP) in A1, title 1 in row 3, titles 2 to 4 in rows 4 to 6, the stamp in row 7
    // over the used columns (at least `columns` of them).
    void WRITEHEADER(const std::vector<std::string>& titles, const std::string& logo,
                     int columns = 0);

    // Writes the header, saves the book as `file_name` (default: the INIT name) cleaned and
    // numbered " (2)", " (3)"... when taken, and releases it. Returns the file written, or an
    // empty path when saving failed (last_error() says why).
    std::filesystem::path XLSCLOSE(const std::vector<std::string>& titles, const std::string& logo,
                                   const std::string& file_name = {}, int columns = 0);
    // Saves to the INIT name (when `save`) and releases the book. False when saving failed.
    bool XLSCLOSEFILE(bool save = true);

    // Sheets are numbered from 1. NEW_SHEET returns the new sheet's number (it becomes current);
    // a name already in the book gets " (2)"... so every sheet stays reachable. Titles given
    // here are written as the sheet's header when the book is saved.
    int NEW_SHEET(const std::string& name, const std::vector<std::string>& titles = {});
    bool CHANGESHEETNAME(int sheet, const std::string& name);
    bool DEL_SHEET(int sheet);  // the last sheet of a book cannot go
    int NUM_SHEETS() const { return static_cast<int>(m_sheets.size()); }
    std::string GET_SHEETNAME(int sheet) const;
    bool SET_ACTIVESHEET(int sheet);
    int GET_ACTIVESHEET() const { return ActSheet; }

    // Reading the current sheet; columns and rows 1-based as the spreadsheet shows them.
    SheetRange GET_SHEETRANGE() const;
    CellType GET_CELLTYPE(int col, int row) const;
    XlsCellData GET_CELLDATA(int col, int row) const;

    bool is_open() const { return m_open; }
    const std::string& last_error() const { return m_error; }

    std::filesystem::path fDir;
    std::string fName;  // cleaned, without extension
    int ActSheet = 0;

private:
    struct PendingHeader {
        std::vector<std::string> titles;
    };
    Sheet& current() { return m_sheets[ActSheet - 1]; }
    const Sheet& current() const { return m_sheets[ActSheet - 1]; }
    bool valid_sheet(int sheet) const { return sheet >= 1 && sheet <= NUM_SHEETS(); }
    std::string unique_sheet_name(const std::string& wanted, int except = 0) const;
    void adopt_loaded(std::vector<Sheet> sheets, const std::optional<std::string>& sheet_name);
    std::optional<std::filesystem::path> logo_file(const std::string& logo) const;
    void render_header(Sheet& sheet, const std::vector<std::string>& titles,
                       const std::string& logo, int columns) const;
    bool save(const std::filesystem::path& file);
    void release();

    PrintStamp m_stamp;
    std::filesystem::path m_bmp_folder;
    std::vector<Sheet> m_sheets;
    std::vector<std::optional<PendingHeader>> m_pending;  // per sheet, from NEW_SHEET
    bool m_open = false;
    std::string m_error;
};

}  // namespace qz::services
