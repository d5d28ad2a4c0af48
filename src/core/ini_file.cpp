#include "core/ini_file.h"

#include <pwd.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "core/text.h"

namespace qz {

namespace fs = std::filesystem;

namespace {

// "[NAME]" gives NAME (text after "]" is ignored); nullopt for any other line, a "[" without
// "]" included, so a damaged header never swallows the keys that follow it.
std::optional<std::string> section_of(std::string_view line) {
    std::string t = trim(line);
    size_t close = t.find(']');
    if (t.empty() || t[0] != '[' || close == std::string::npos) return std::nullopt;
    return trim(std::string_view(t).substr(1, close - 1));
}

struct Entry {
    std::string key;
    std::string value;
};

std::optional<Entry> entry_of(std::string_view line) {
    std::string t = trim(line);
    size_t eq = t.find('=');
    if (t.empty() || t[0] == ';' || t[0] == '[' || eq == std::string::npos) return std::nullopt;
    Entry e{trim(std::string_view(t).substr(0, eq)), trim(std::string_view(t).substr(eq + 1))};
    if (e.key.empty()) return std::nullopt;
    return e;
}

// The lines of the first section with that name: its header and one past its last line.
struct Range {
    size_t header;
    size_t end;
};

std::optional<Range> find_section(const std::vector<std::string>& lines, std::string_view name) {
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> s = section_of(lines[i]);
        if (!s || !iequals(*s, name)) continue;
        size_t end = i + 1;
        while (end < lines.size() && !section_of(lines[end])) ++end;
        return Range{i, end};
    }
    return std::nullopt;
}

void check_writable(std::string_view section, std::string_view key, std::string_view value) {
    const bool bad_section = section.empty() || section.find_first_of("]\r\n") != section.npos;
    const bool bad_key = trim(key).empty() || key.find_first_of("=\r\n") != key.npos ||
                         trim(key)[0] == ';' || trim(key)[0] == '[';
    if (bad_section || bad_key || value.find_first_of("\r\n") != value.npos)
        throw std::invalid_argument("valor no válido para QUARTZEN.INI: [" + std::string(section) +
                                    "] " + std::string(key));
}

bool write_all(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The new content goes to a temporary file beside the old one, reaches the disk, and only then
// takes the old one's name: a crash at any moment leaves the old file or the new, never half.
void write_atomically(const fs::path& path, const std::string& content) {
    fs::path dir = path.has_parent_path() ? path.parent_path() : fs::path(".");
    fs::create_directories(dir);
    std::string tmp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) throw std::system_error(errno, std::generic_category(), "no se pudo crear " + tmp);
    bool ok = write_all(fd, content) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        throw std::system_error(err, std::generic_category(),
                                "no se pudo escribir " + path.string());
    }
}

std::string home_directory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* pw = ::getpwuid(::getuid());
    return pw != nullptr && pw->pw_dir != nullptr ? pw->pw_dir : "";
}

}  // namespace

IniFile::IniFile(fs::path path) : m_path(std::move(path)) {
    std::ifstream in(m_path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const size_t first_end = content.find('\n');
    m_crlf = first_end != std::string::npos && first_end > 0 && content[first_end - 1] == '\r';
    for (size_t start = 0; start < content.size();) {
        size_t end = std::min(content.find('\n', start), content.size());
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        m_lines.push_back(std::move(line));
        start = end + 1;
    }
}

std::string IniFile::get(std::string_view section, std::string_view key,
                         std::string_view fallback) const {
    if (std::optional<Range> r = find_section(m_lines, section)) {
        for (size_t i = r->header + 1; i < r->end; ++i) {
            std::optional<Entry> e = entry_of(m_lines[i]);
            if (e && iequals(e->key, key)) return e->value;
        }
    }
    return std::string(fallback);
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    check_writable(section, key, value);
    std::vector<std::string> lines = m_lines;
    std::optional<Range> r = find_section(lines, section);
    if (!r) {
        if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::string(key) + "=" + std::string(value));
    } else {
        size_t insert_at = r->header + 1;
        bool replaced = false;
        for (size_t i = r->header + 1; i < r->end && !replaced; ++i) {
            std::optional<Entry> e = entry_of(lines[i]);
            if (!e) continue;
            if (iequals(e->key, key)) {
                lines[i] = e->key + "=" + std::string(value);  // the key keeps its spelling
                replaced = true;
            }
            insert_at = i + 1;
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at),
                         std::string(key) + "=" + std::string(value));
    }
    save(lines);
    m_lines = std::move(lines);
}

void IniFile::remove_key(std::string_view section, std::string_view key) {
    std::optional<Range> r = find_section(m_lines, section);
    if (!r) return;
    std::vector<std::string> lines(m_lines.begin(), m_lines.begin() + r->header + 1);
    for (size_t i = r->header + 1; i < r->end; ++i) {
        std::optional<Entry> e = entry_of(m_lines[i]);
        if (!e || !iequals(e->key, key)) lines.push_back(m_lines[i]);
    }
    if (lines.size() == r->end) return;
    lines.insert(lines.end(), m_lines.begin() + r->end, m_lines.end());
    save(lines);
    m_lines = std::move(lines);
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    std::optional<Range> r = find_section(m_lines, section);
    if (!r) return out;
    for (size_t i = r->header + 1; i < r->end; ++i) {
        std::optional<Entry> e = entry_of(m_lines[i]);
        if (!e) continue;
        bool seen = false;
        for (const std::string& k : out) seen = seen || iequals(k, e->key);
        if (!seen) out.push_back(std::move(e->key));
    }
    return out;
}

void IniFile::save(const std::vector<std::string>& lines) const {
    const char* eol = m_crlf ? "\r\n" : "\n";
    std::string content;
    for (const std::string& line : lines) content += line + eol;
    write_atomically(m_path, content);
}

std::string default_ini_path() {
    // Relative values are to be ignored, as the XDG base directory rules say.
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    fs::path base =
        xdg != nullptr && xdg[0] == '/' ? fs::path(xdg) : fs::path(home_directory()) / ".config";
    return (base / "quartzen" / "QUARTZEN.INI").string();
}

}  // namespace qz
