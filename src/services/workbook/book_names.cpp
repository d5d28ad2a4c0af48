#include "services/workbook/book_names.h"

#include "core/text.h"

namespace qz::services {

namespace {

constexpr std::string_view kFileRefused = ":\\./#$%&!";
constexpr std::string_view kSheetRefused = ":\\./#$%&!?*[]";
constexpr size_t kSheetNameMax = 31;

std::string replace_any(std::string_view s, std::string_view refused) {
    std::string out(s);
    for (auto& c : out)
        if (refused.find(c) != std::string_view::npos) c = '-';
    return out;
}

}  // namespace

std::string clean_file_name(std::string_view name) { return replace_any(name, kFileRefused); }

std::string clean_sheet_name(std::string_view name) {
    auto out = utf8_substr(replace_any(name, kSheetRefused), 0, kSheetNameMax);
    if (!out.empty() && out.front() == '\'') out.front() = '-';
    if (!out.empty() && out.back() == '\'') out.back() = '-';
    return out;
}

std::string strip_book_extension(std::string_view name) {
    for (std::string_view ext : {std::string_view(".xlsx"), std::string_view(".xls")}) {
        if (name.size() >= ext.size() && iequals(name.substr(name.size() - ext.size()), ext))
            return std::string(name.substr(0, name.size() - ext.size()));
    }
    return std::string(name);
}

std::filesystem::path free_book_path(const std::filesystem::path& folder, const std::string& base) {
    auto path = folder / (base + std::string(kBookExtension));
    for (int n = 2; std::filesystem::exists(path); ++n)
        path = folder / (base + " (" + std::to_string(n) + ")" + std::string(kBookExtension));
    return path;
}

std::string scratch_book_name(const std::filesystem::path& folder, long hundredths_of_day) {
    long number = hundredths_of_day % 10000000;
    for (int tries = 0; tries < 10000000; ++tries) {
        auto name = "T" + pad_left(std::to_string(number), 7, '0');
        if (!std::filesystem::exists(folder / (name + std::string(kBookExtension)))) return name;
        number = (number + 1) % 10000000;
    }
    return "T0000000";
}

}  // namespace qz::services
