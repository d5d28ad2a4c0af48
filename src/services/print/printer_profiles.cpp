#include "services/print/printer_profiles.h"

#include <algorithm>

#include "core/text.h"

namespace qz::services {

namespace {

constexpr const char* kSection = "PREDET_P";

std::string hhmm(const std::string& t) { return utf8_substr(trim(t), 0, 5); }

bool holds(const PrinterSlot& s, const std::string& now) {
    const std::string t = hhmm(now);
    return s.active && hhmm(s.start) <= t && t <= hhmm(s.end);
}

// Printer lists of some platforms end every entry with a terminator; names stay clean here.
std::string entry_name(std::string entry) {
    while (!entry.empty() && entry.back() == '\0') entry.pop_back();
    return entry;
}

bool contains(const std::string& name, const std::string& part) {
    return part.empty() || name.find(part) != std::string::npos;
}

}  // namespace

bool PrinterPort::knows(const std::string& name) const {
    if (trim(name).empty()) return false;
    const auto all = installed();
    return std::any_of(all.begin(), all.end(),
                       [&](const std::string& e) { return entry_name(e) == name; });
}

std::string profile_key(const std::string& business, const std::string& code,
                        const std::string& suffix) {
    return trim(business) + trim(code) + suffix;
}

PrinterProfileKeys read_profile_keys(const IniFile& ini, const std::string& business,
                                     const std::string& code) {
    auto get = [&](const std::string& suffix, const char* fallback = "") {
        return ini.get(kSection, profile_key(business, code, suffix), fallback);
    };
    PrinterProfileKeys k;
    k.printer = get("");
    k.nt = get("NT", "0");
    k.search = get("BP", "0");
    k.part1 = get("P1");
    k.part2 = get("P2");
    k.part3 = get("P3");
    k.icf = get("ICF", "0");
    k.station = get("ESTAC");
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        PrinterSlot& s = k.periods[i];
        s.active = get("HA" + n) == "1";
        s.start = get("HI" + n);
        s.end = get("HF" + n);
        s.printer = get("HP" + n);
        s.station = get("EST" + n);
        s.flag = get("ICF" + n);
        s.search = get("BPP" + n, "0");
        s.part1 = get("PP" + n + "1");
        s.part2 = get("PP" + n + "2");
        s.part3 = get("PP" + n + "3");
    }
    return k;
}

void write_profile_keys(IniFile& ini, const std::string& business, const std::string& code,
                        const PrinterProfileKeys& k) {
    auto put = [&](const std::string& suffix, const std::string& value) {
        ini.set(kSection, profile_key(business, code, suffix), value);
    };
    put("", k.printer);
    put("NT", k.nt);
    put("BP", k.search);
    put("P1", k.part1);
    put("P2", k.part2);
    put("P3", k.part3);
    put("ICF", k.icf);
    put("ESTAC", pad_right(k.station, 4));
    for (int i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        const PrinterSlot& s = k.periods[i];
        put("HA" + n, s.active ? "1" : "0");
        put("HI" + n, hhmm(s.start));
        put("HF" + n, hhmm(s.end));
        put("HP" + n, s.printer);
        put("EST" + n, s.station);
        put("ICF" + n, s.flag);
        put("BPP" + n, s.search);
        put("PP" + n + "1", s.part1);
        put("PP" + n + "2", s.part2);
        put("PP" + n + "3", s.part3);
    }
}

bool ASSIGNPRINTER(PrinterFunction& job, const PrinterPort& printers, const std::string& name,
                   const std::string& mode, const std::string& part1, const std::string& part2,
                   const std::string& part3) {
    std::string chosen = name;
    if (!trim(mode).empty() && trim(mode) != "0") {
        chosen.clear();
        for (const std::string& entry : printers.installed()) {
            const std::string n = entry_name(entry);
            if (!part1.empty() && contains(n, part1) && contains(n, part2) && contains(n, part3)) {
                chosen = n;
                break;
            }
        }
    }
    job.b_cSelPrinter = chosen;
    job.T_Print = "PRINTER";
    job.b_lNetPrinter = printers.is_remote(chosen);
    return printers.knows(chosen);
}

PredetInfo SET_PREDET_INFO(const IniFile& ini, const PrinterPort& printers,
                           const std::string& business, const std::string& code,
                           PrinterFunction& job, const std::string& now, int mode) {
    const PrinterProfileKeys k = read_profile_keys(ini, business, code);
    std::string printer = k.printer, station = k.station, flag = k.icf;
    std::string search = k.search, p1 = k.part1, p2 = k.part2, p3 = k.part3;
    for (const PrinterSlot& s : k.periods) {
        if (!holds(s, now)) continue;
        printer = s.printer;
        station = s.station;
        flag = s.flag;
        search = s.search;
        p1 = s.part1;
        p2 = s.part2;
        p3 = s.part3;
    }
    if (trim(code) == kLocalPrinterProfile && trim(printer).empty() && search != "1")
        printer = printers.default_printer();
    PredetInfo info;
    info.station = trim(station);
    if (mode == 2) return info;
    if (mode == 1 && !info.station.empty() && trim(flag) != "1") return info;
    // A profile set to search by name parts keeps no printer name: it is found by its parts.
    info.result = ASSIGNPRINTER(job, printers, printer, search == "1" ? "1" : "0", p1, p2, p3);
    return info;
}

}  // namespace qz::services
