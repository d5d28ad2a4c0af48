#pragma once
// The demonstration workstation's own settings: the keys of QUARTZEN.INI that make its card
// terminals usable in training mode (the networks' simulators), with the station, the voucher's
// header lines and the voucher printer. Only keys the file lacks are written, so a workstation
// configured by hand keeps its settings.
#include <string>
#include <vector>

#include "core/ini_file.h"

namespace qz::domain {

// The profile of PREDET_P that prints the demonstration's card vouchers, to a PDF file.
inline constexpr const char* kDemoVoucherProfile = "VO";

// Writes the missing keys; returns a line per key written, for the summary.
std::vector<std::string> install_demo_workstation_settings(IniFile& ini);

}  // namespace qz::domain
