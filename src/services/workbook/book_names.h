#pragma once
// How workbook files and sheets are named: characters the file system or the spreadsheet refuse
// become "-", a taken file name gets " (2)", " (3)"... before its extension, and a scratch book
// gets a "T" + 7-digit name that no file in its folder has yet.
#include <filesystem>
#include <string>
#include <string_view>

namespace qz::services {

inline constexpr std::string_view kBookExtension = ".xlsx";

// ":", "\", ".", "/", "#", "$", "%", "&", "!" become "-".
std::string clean_file_name(std::string_view name);

// The same characters but "/" and the ones a spreadsheet refuses in a sheet name ("/", "?", "*",
// "[", "]", a leading or trailing "'") become "-"; the name is cut to the 31 characters a sheet
// name may have.
std::string clean_sheet_name(std::string_view name);

// The name without a trailing ".xlsx" or ".xls" (any case).
std::string strip_book_extension(std::string_view name);

// `base` + ".xlsx" in `folder`, or the first of `base` + " (2)", " (3)"... that is not taken.
std::filesystem::path free_book_path(const std::filesystem::path& folder, const std::string& base);

// "T" + the last 7 digits of the hundredths of a second since midnight, counted up until no
// "T…" book of that name is in the folder. Returned without extension.
std::string scratch_book_name(const std::filesystem::path& folder, long hundredths_of_day);

}  // namespace qz::services
