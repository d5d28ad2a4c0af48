#pragma once
// This workstation's card settings for one business, kept in its QUARTZEN.INI under the
// business code: the station whose terminals it uses, the voucher's terminal id, header lines
// and printer profile, the card reader's device, and the training mode (the networks'
// simulators instead of their libraries).
#include <array>
#include <string>

#include "core/ini_file.h"

namespace qz::gui::card {

inline constexpr const char* kDefaultReaderDevice = "/dev/ttyS1";
inline constexpr const char* kBadDevice =
    "El dispositivo del lector debe ser una ruta completa (/dev/...)";
inline constexpr const char* kNotOneLine = "Los valores deben ocupar una sola línea";

struct StationSettings {
    std::string station;                 // ESTACION_CREDIT
    std::string terminal_id;             // ESTACION_CREDIT_ID
    std::array<std::string, 4> headers;  // ESTACION_CREDIT_H1 .. H4
    std::string printer;                 // PREDET_P_CREDOMATIC: a printer profile code
    std::string device;                  // ESTACION_CREDIT_PUERTO
    bool training = false;               // PAGO_ELECTRONICO, MODO=ENTRENAMIENTO
};

StationSettings read_station_settings(const IniFile& ini, const std::string& business);

// What keeps the settings from being written ("" when nothing): a reader device that is not a
// full device path, or a value that would break the file's lines.
std::string check_station_settings(const StationSettings& s);

// Writes every key (a blank value removes its key). Checked first, so a refusal writes
// nothing; throws what IniFile::set throws when the file cannot be written.
void write_station_settings(IniFile& ini, const std::string& business, const StationSettings& s);

}  // namespace qz::gui::card
