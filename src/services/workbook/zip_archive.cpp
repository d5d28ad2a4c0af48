#include "services/workbook/zip_archive.h"

#include <unzip.h>

namespace qz::services {

namespace {
// A part larger than this is not a sheet we wrote or can hold; refusing it keeps a damaged or
// hostile archive from claiming gigabytes.
constexpr unsigned long kMaxPart = 512ul * 1024 * 1024;
}  // namespace

ZipArchive::ZipArchive(const std::filesystem::path& file) : m_zip(unzOpen64(file.c_str())) {}

ZipArchive::~ZipArchive() {
    if (m_zip) unzClose(m_zip);
}

std::optional<std::string> ZipArchive::read(const std::string& name) const {
    if (!m_zip || unzLocateFile(m_zip, name.c_str(), 0) != UNZ_OK) return std::nullopt;
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(m_zip, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
        info.uncompressed_size > kMaxPart || unzOpenCurrentFile(m_zip) != UNZ_OK)
        return std::nullopt;
    std::string out;
    out.reserve(static_cast<size_t>(info.uncompressed_size));
    char buffer[64 * 1024];
    int got = 0;
    while ((got = unzReadCurrentFile(m_zip, buffer, sizeof buffer)) > 0) {
        out.append(buffer, static_cast<size_t>(got));
        if (out.size() > kMaxPart) break;
    }
    const bool crc_ok = unzCloseCurrentFile(m_zip) == UNZ_OK;
    if (got < 0 || !crc_ok || out.size() > kMaxPart) return std::nullopt;
    return out;
}

std::vector<std::string> ZipArchive::names() const {
    std::vector<std::string> out;
    if (!m_zip || unzGoToFirstFile(m_zip) != UNZ_OK) return out;
    do {
        char name[1024];
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(m_zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) ==
            UNZ_OK)
            out.emplace_back(name);
    } while (unzGoToNextFile(m_zip) == UNZ_OK);
    return out;
}

}  // namespace qz::services
