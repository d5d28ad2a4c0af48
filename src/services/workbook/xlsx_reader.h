#pragma once
// Reads an .xlsx book back: sheet names, every cell with its type and value (shared and inline
// strings, numbers kept exact as written, dates recognised by their number format), its look
// (number format, font, border, fill) and the column widths. The writing library cannot read,
// so loading a book and checking what was written both come through here.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "services/workbook/sheet_model.h"

namespace qz::services {

// nullopt when the file is missing, is not a zip archive or lacks the workbook part.
std::optional<std::vector<Sheet>> read_xlsx(const std::filesystem::path& file);

// The names of the parts inside the archive ("xl/media/image1.bmp"...); empty when unreadable.
std::vector<std::string> xlsx_parts(const std::filesystem::path& file);

// Whether a number format shows a date: the built-in date formats and any custom format with a
// day or year part outside quoted text.
bool is_date_format(int id, const std::string& code);

}  // namespace qz::services
