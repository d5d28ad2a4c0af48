#pragma once
// Saves a book held in memory as an .xlsx file through libxlsxwriter, with the writer's fixed
// set of fonts, borders, fills and number formats.
#include <filesystem>
#include <string>
#include <vector>

#include "services/workbook/sheet_model.h"

namespace qz::services {

// `active` is the 0-based sheet shown first. Returns "" on success, else what went wrong (the
// partly written file is removed).
std::string write_xlsx(const std::vector<Sheet>& sheets, int active,
                       const std::filesystem::path& file);

}  // namespace qz::services
