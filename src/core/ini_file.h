#pragma once
// The per-workstation settings file QUARTZEN.INI, read and written the way Windows private
// profile files are: "[SECTION]" headers, "KEY=value" lines, ";" comments. Section and key names
// compare without regard to ASCII case and values lose surrounding blanks. Rewriting keeps every
// other line (comments, blank lines, lines it does not understand) and the order of everything.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qz {

class IniFile {
  public:
    // A missing or unreadable file reads as empty; it is created by the first set().
    explicit IniFile(std::filesystem::path path);

    const std::filesystem::path& path() const { return m_path; }

    std::string get(std::string_view section, std::string_view key,
                    std::string_view fallback = "") const;
    // Changes or adds the key (a new one goes after the last key of its section, a new section at
    // the end) and rewrites the file at once. Throws std::invalid_argument for names or values
    // that cannot be written on one line, std::system_error when the file cannot be written; the
    // settings in memory then stay as they were.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes every line of the key in its section and rewrites the file when something went.
    void remove_key(std::string_view section, std::string_view key);
    // The section's keys in file order, each once.
    std::vector<std::string> keys(std::string_view section) const;

  private:
    void save(const std::vector<std::string>& lines) const;

    std::filesystem::path m_path;
    std::vector<std::string> m_lines;  // without line ends
    bool m_crlf = false;               // a file written on Windows keeps its CR LF line ends
};

// $XDG_CONFIG_HOME/quartzen/QUARTZEN.INI, or ~/.config/quartzen/QUARTZEN.INI when that variable
// is unset, empty or not an absolute path.
std::string default_ini_path();

}  // namespace qz
