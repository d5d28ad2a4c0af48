#pragma once
// Read access to the parts of a zip archive (an .xlsx book is one), over minizip.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qz::services {

class ZipArchive {
public:
    explicit ZipArchive(const std::filesystem::path& file);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool is_open() const { return m_zip != nullptr; }
    // The whole uncompressed part; nullopt when it is missing or damaged.
    std::optional<std::string> read(const std::string& name) const;
    std::vector<std::string> names() const;

private:
    void* m_zip = nullptr;  // unzFile
};

}  // namespace qz::services
