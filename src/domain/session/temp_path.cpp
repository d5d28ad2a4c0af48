#include "domain/session/temp_path.h"

#include <fstream>
#include <system_error>

#include "core/text.h"

namespace qz::domain {

namespace fs = std::filesystem;

namespace {

constexpr int kAttempts = 10;

bool has_drive_letter(const std::string& path) {
    return path.size() >= 2 && path[1] == ':' &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

char drive_of(const std::string& path) { return upper_ascii(path.substr(0, 1))[0]; }

// A to B, ..., H to I, and I wraps to C: A and B were diskette drives, so once the fixed-disk
// letters are used up the search starts again at the first hard disk. Other letters stay.
std::string next_drive(const std::string& path) {
    if (!has_drive_letter(path)) return path;
    char d = drive_of(path);
    if (d < 'A' || d > 'I') return path;
    std::string moved = path;
    moved[0] = d == 'I' ? 'C' : static_cast<char>(d + 1);
    return moved;
}

bool create_file(const fs::path& file) {
    std::ofstream out(file, std::ios::trunc);
    return out.is_open();
}

// One level only, and an existing directory is a failure: the path is usable when a file could
// be written in it, not merely when it exists.
bool make_dir(const fs::path& dir) {
    std::error_code ec;
    return fs::create_directory(dir, ec);
}

TempPathResult switch_off(UserPort& port) {
    port.message(MsgStyle::Error, "Error",
                 "Error creando directorio temporal de archivos...\r"
                 "No hay Unidades de Disco Duro Disponibles o accesibles");
    return {};
}

}  // namespace

DriveMapper home_drives(const std::string& home) {
    fs::path drives = fs::path(home) / "DRIVES";
    return [drives](char letter) { return drives / std::string(1, letter); };
}

fs::path map_local_path(const std::string& path, const DriveMapper& drives) {
    if (!has_drive_letter(path)) {
        std::string p = path;
        while (p.size() > 1 && p.back() == '/') p.pop_back();
        return p;
    }
    fs::path out = drives(drive_of(path));
    std::string rest = path.substr(2);
    for (char& c : rest)
        if (c == '\\') c = '/';
    for (const auto& part : split(rest, '/'))
        if (!part.empty()) out /= part;
    return out;
}

TempPathResult prepare_local_temp(const std::string& local_path, UserPort& port,
                                  const DriveMapper& drives) {
    if (local_path.empty() || local_path[0] == ' ') return switch_off(port);
    std::string path = local_path;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        fs::path dir = map_local_path(path, drives);
        if (create_file(dir / "YES") || make_dir(dir)) {
            make_dir(dir / "TEMP");
            return {{1, path}, dir / "TEMP"};
        }
        path = next_drive(path);
    }
    return switch_off(port);
}

fs::path prepare_temp_path(AppSettings& s, const std::string& home, UserPort& port,
                           const DriveMapper& drives) {
    if (s.XTEMPPATH.local == 1) {
        TempPathResult r = prepare_local_temp(s.XTEMPPATH.path, port, drives);
        s.XTEMPPATH = r.XTEMPPATH;
        if (r.XTEMPPATH.local == 1) return r.directory;
    }
    return fs::path(home) / "TEMP";
}

}  // namespace qz::domain
