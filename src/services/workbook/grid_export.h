#pragma once
// Exporting a grid to a workbook: the headings boxed in the first data row, then every row of
// the grid's table as the grid displays it, numbers of right-aligned columns as numbers. The book
// is saved as "GRID_" + the grid screen's caption in the chosen folder.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/user_port.h"
#include "services/print/excel_sink.h"
#include "services/workbook/grid_export_source.h"

namespace qz::services {

// What the export window proposes: the session's TEMP folder and a "T" + 7-digit name free there.
struct GridExportTarget {
    std::string folder;
    std::string file;  // with extension
};
GridExportTarget propose_grid_export(const std::filesystem::path& temp_folder,
                                     long hundredths_of_day);

struct GridExportRequest {
    std::string folder;   // as typed: where the book goes
    std::string file;     // as typed: required, but the book is named after the caption
    std::string caption;  // the grid screen's caption
    std::string logo;     // XLOGOFILE
    std::filesystem::path bmp_folder;
    PrintStamp stamp;
};

struct GridExportProgress {
    std::function<void(const std::string&)> status;
    // Called after each row with the number of rows written; false stops the export, which
    // still saves what was written.
    std::function<bool(long rows)> row_done;
};

// The book written, or nullopt when the request was refused or the book could not be saved (the
// user has been told through `port`). The source is suspended while the export walks it and
// resumed afterwards whatever happens.
std::optional<std::filesystem::path> export_grid(GridExportSource& source,
                                                 const GridExportRequest& request, UserPort& port,
                                                 const GridExportProgress& progress = {});

}  // namespace qz::services
