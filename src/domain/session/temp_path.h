#pragma once
// The workstation-local directory for this session's temporary files.
//
// The settings name it the way the rest of the suite's workstations do, with a drive letter
// ("C:\QZTEMP"). Linux has no drive letters, so a DriveMapper says which directory stands for
// each letter; a path without a letter is an ordinary Linux path. A workstation whose configured
// drive is missing tries the next letters, the way a path written for one machine still finds a
// usable disk on another.
#include <filesystem>
#include <functional>
#include <string>

#include "core/user_port.h"
#include "domain/session/settings.h"

namespace qz::domain {

// Directory that stands for a drive letter (given in upper case).
using DriveMapper = std::function<std::filesystem::path(char letter)>;

// Every letter X maps to <home>/DRIVES/X; a letter whose directory does not exist is a drive the
// workstation does not have.
DriveMapper home_drives(const std::string& home);

// Where a settings path lives on this machine: "X:\dir\sub" under the letter's directory, any
// other path as it is. Trailing separators are dropped.
std::filesystem::path map_local_path(const std::string& path, const DriveMapper& drives);

struct TempPathResult {
    TempPath XTEMPPATH;               // {1, path finally used} or {0, ""}
    std::filesystem::path directory;  // that path's TEMP sub-directory here; empty when off
};

// Up to 10 attempts to make `local_path` usable, moving to the next drive letter after each
// failure. An empty path or one that starts with a blank, or running out of attempts, tells the
// user and switches the local path off.
TempPathResult prepare_local_temp(const std::string& local_path, UserPort& port,
                                  const DriveMapper& drives);

// Applies the local path chosen in the settings (when switched on) and returns the directory
// for this session's temporary files: the local TEMP, or the installation's own TEMP.
std::filesystem::path prepare_temp_path(AppSettings& s, const std::string& home, UserPort& port,
                                        const DriveMapper& drives);

}  // namespace qz::domain
