#include "services/workbook/grid_export.h"

#include <algorithm>

#include "core/text.h"
#include "services/workbook/book_names.h"
#include "services/workbook/cell_text_rules.h"
#include "services/workbook/xls_generator.h"

namespace qz::services {

namespace {

class SuspendGuard {
public:
    explicit SuspendGuard(GridExportSource& source) : m_source(source) { m_source.suspend(); }
    ~SuspendGuard() { m_source.resume(); }
    SuspendGuard(const SuspendGuard&) = delete;
    SuspendGuard& operator=(const SuspendGuard&) = delete;

private:
    GridExportSource& m_source;
};

// A date stays text (its reader may not share our day-month order); a number-like text of a
// right-aligned column becomes the number it shows.
XlsValue value_of(const std::string& shown, bool right_aligned) {
    if (looks_like_date(shown)) return shown;
    if (right_aligned) {
        if (auto number = number_from_text(shown)) return *number;
    }
    return shown;
}

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

bool valid_request(const std::string& folder, const std::string& file, UserPort& port) {
    if (file.empty()) return refuse(port, "Debe definir el nombre del archivo Destino");
    if (folder.empty()) return refuse(port, "Debe definir la Carpeta Destino");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (!std::filesystem::is_directory(folder, ec))
        return refuse(port, "No se puede crear la Carpeta Destino: " + folder);
    return true;
}

void write_headings(XLS_GENERATOR& book, const std::vector<GridExportColumn>& columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        const int col = static_cast<int>(i) + 1;
        book.XLSWRITE(1, col, columns[i].heading, true);
        const auto width =
            std::max<size_t>(utf8_length(columns[i].heading),
                             static_cast<size_t>(std::max(0, columns[i].picture_length)));
        book.XLSCOLSIZE(col, static_cast<double>(width));
    }
}

void write_rows(XLS_GENERATOR& book, GridExportSource& source,
                const std::vector<GridExportColumn>& columns, const GridExportProgress& progress) {
    if (!source.first()) return;
    long rows = 0;
    do {
        ++rows;
        for (size_t i = 0; i < columns.size(); ++i) {
            const auto shown = trim(source.text(static_cast<int>(i)));
            if (shown.empty()) continue;
            book.XLSWRITE(static_cast<int>(rows) + 1, static_cast<int>(i) + 1,
                          value_of(shown, columns[i].right_aligned));
        }
        if (progress.row_done && !progress.row_done(rows)) return;
    } while (source.next());
}

}  // namespace

GridExportTarget propose_grid_export(const std::filesystem::path& temp_folder,
                                     long hundredths_of_day) {
    return {temp_folder.string(),
            scratch_book_name(temp_folder, hundredths_of_day) + std::string(kBookExtension)};
}

std::optional<std::filesystem::path> export_grid(GridExportSource& source,
                                                 const GridExportRequest& request, UserPort& port,
                                                 const GridExportProgress& progress) {
    const auto folder = trim(request.folder), file = trim(request.file);
    if (!valid_request(folder, file, port)) return std::nullopt;
    auto status = [&](const std::string& text) {
        if (progress.status) progress.status(text);
    };
    SuspendGuard suspended(source);
    status("Escribiendo Datos...");
    const auto name = "GRID_" + trim(request.caption);
    XLS_GENERATOR book(request.stamp, request.bmp_folder);
    book.INIT(folder, file, name);
    const auto columns = source.columns();
    write_headings(book, columns);
    write_rows(book, source, columns, progress);
    const auto path = book.XLSCLOSE({name}, request.logo, name, static_cast<int>(columns.size()));
    if (path.empty()) {
        port.message(MsgStyle::Error, "Error", "Error generando Archivo XLS: " + book.last_error());
        return std::nullopt;
    }
    status("Datos transferidos!");
    return path;
}

}  // namespace qz::services
