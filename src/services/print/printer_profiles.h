#pragma once
// Printer profiles: shared print destinations of a business (table PREDET_P) whose meaning on
// each workstation — which printer, at which hours — is kept in section "PREDET_P" of that
// workstation's QUARTZEN.INI under business code + profile code + a suffix.
#include <array>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "services/print/printer_function.h"

namespace qz::services {

// The printers the platform has.
class PrinterPort {
public:
    virtual ~PrinterPort() = default;
    // Installed printers in the platform's order.
    virtual std::vector<std::string> installed() const = 0;
    // The workstation's default printer; empty when there is none.
    virtual std::string default_printer() const = 0;
    virtual bool is_remote(const std::string& name) const {
        (void)name;
        return false;
    }
    bool knows(const std::string& name) const;
};

// A time slot: between `start` and `end` ("HH:MM") another printer, station and flag apply.
struct PrinterSlot {
    bool active = false;
    std::string start, end;
    std::string printer, station, flag;
    std::string search, part1, part2, part3;
    bool operator==(const PrinterSlot&) const = default;
};

struct PrinterProfileKeys {
    std::string printer;       // (no suffix)
    std::string nt = "0";      // NT
    std::string search = "0";  // BP
    std::string part1, part2, part3;
    std::string icf = "0";  // ICF
    std::string station;    // ESTAC, 4 characters
    std::array<PrinterSlot, 3> periods;
    bool operator==(const PrinterProfileKeys&) const = default;
};

// The profile code that means the workstation's default printer.
inline constexpr const char* kLocalPrinterProfile = "LC";

std::string profile_key(const std::string& business, const std::string& code,
                        const std::string& suffix = "");
PrinterProfileKeys read_profile_keys(const IniFile& ini, const std::string& business,
                                     const std::string& code);
// Writes every key; std::system_error when the file cannot be written.
void write_profile_keys(IniFile& ini, const std::string& business, const std::string& code,
                        const PrinterProfileKeys& keys);

// Mode "0" (or blank): the printer is `name`. Any other mode: the first installed printer whose
// name holds part 1, and part 2 and part 3 when given. Either way the job prints directly to it;
// true when the platform knows the printer.
bool ASSIGNPRINTER(PrinterFunction& job, const PrinterPort& printers, const std::string& name,
                   const std::string& mode = "0", const std::string& part1 = "",
                   const std::string& part2 = "", const std::string& part3 = "");

struct PredetInfo {
    int result = 0;       // modes 0 and 1: 1 when a valid printer was assigned
    std::string station;  // the station the profile (or its slot) names
};

// Applies profile `code` of `business` to the job at time `now` ("HH:MM..."). Active periods whose
// period holds the time replace the base printer, station and flag; a later slot wins. Mode 0
// assigns the printer; mode 1 assigns it unless a station is named with its flag off; mode 2 only
// reports the station.
PredetInfo SET_PREDET_INFO(const IniFile& ini, const PrinterPort& printers,
                           const std::string& business, const std::string& code,
                           PrinterFunction& job, const std::string& now, int mode = 0);

}  // namespace qz::services
