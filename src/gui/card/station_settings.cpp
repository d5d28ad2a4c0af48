#include "gui/card/station_settings.h"

#include <stdexcept>

#include "core/text.h"

namespace qz::gui::card {

namespace {

constexpr const char* kStation = "ESTACION_CREDIT";
constexpr const char* kTerminalId = "ESTACION_CREDIT_ID";
constexpr const char* kPrinter = "PREDET_P_CREDOMATIC";
constexpr const char* kDevice = "ESTACION_CREDIT_PUERTO";
constexpr const char* kModeSection = "PAGO_ELECTRONICO";
constexpr const char* kModeKey = "MODO";
constexpr const char* kTraining = "ENTRENAMIENTO";

std::string header_section(size_t i) { return "ESTACION_CREDIT_H" + std::to_string(i + 1); }

void put(IniFile& ini, const std::string& section, const std::string& key,
         const std::string& value) {
    if (trim(value).empty())
        ini.remove_key(section, key);
    else
        ini.set(section, key, trim(value));
}

bool one_line(const std::string& s) { return s.find_first_of("\r\n") == std::string::npos; }

}  // namespace

StationSettings read_station_settings(const IniFile& ini, const std::string& business) {
    StationSettings s;
    s.station = trim(ini.get(kStation, business));
    s.terminal_id = ini.get(kTerminalId, business);
    for (size_t i = 0; i < s.headers.size(); ++i)
        s.headers[i] = ini.get(header_section(i), business);
    s.printer = ini.get(kPrinter, business);
    s.device = ini.get(kDevice, business, kDefaultReaderDevice);
    s.training = iequals(trim(ini.get(kModeSection, kModeKey)), kTraining);
    return s;
}

std::string check_station_settings(const StationSettings& s) {
    const std::string device = trim(s.device);
    // The reader is opened as a serial device; anything else (a relative path, a file) would
    // be opened in its place.
    if (!device.empty() && !starts_with(device, "/dev/")) return kBadDevice;
    for (const auto* v : {&s.station, &s.terminal_id, &s.printer, &s.device})
        if (!one_line(*v)) return kNotOneLine;
    for (const auto& h : s.headers)
        if (!one_line(h)) return kNotOneLine;
    return "";
}

void write_station_settings(IniFile& ini, const std::string& business, const StationSettings& s) {
    if (auto problem = check_station_settings(s); !problem.empty())
        throw std::invalid_argument(problem);
    put(ini, kStation, business, s.station);
    put(ini, kTerminalId, business, s.terminal_id);
    for (size_t i = 0; i < s.headers.size(); ++i)
        put(ini, header_section(i), business, s.headers[i]);
    put(ini, kPrinter, business, s.printer);
    put(ini, kDevice, business, s.device);
    put(ini, kModeSection, kModeKey, s.training ? kTraining : "");
}

}  // namespace qz::gui::card
