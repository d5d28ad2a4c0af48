#pragma once
// The terminals' own end-of-day closings: the first network's settlement and the second
// network's report (pre-closing) and settlement, for a terminal of this workstation's station.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "services/terminals/card_service.h"

namespace qz::services::terminals {

// A P_ELECT row.
struct TerminalRow {
    std::string business, station, bank, currency, description, param1, param2, param3;
};

// The station's terminals of network `bank` ("01" or "02"), in P_ELECT order.
std::vector<TerminalRow> station_terminals(data::Db& db, const std::string& business,
                                           const std::string& station, const std::string& bank);

// One caption and value of a closing reply as the closing dialog shows it.
using ClosingLine = std::pair<std::string, std::string>;

class CardClosings {
public:
    CardClosings(data::Db& db, UserPort& port, CardLibraries libraries);
    // ProcessSettlement of the first network for `terminal`, looked up again through P_ELECT2
    // ("Terminal no encontrada en Base de Datos de Terminales"). Nothing when refused or the
    // library is missing (told); else the network's code.
    std::optional<int> CIE_POSWARE(const TerminalRow& terminal);
    // dllreport (pre-closing) or dllsettlement of the second network: the reply's fields 1, 2,
    // 4 and 6, fields 12 and 13 divided by 100 (picture "999,999,999,999.99") and 14 and 15 as
    // counts (picture "999,999,999,999"). Nothing when the library is missing (told).
    std::optional<std::vector<ClosingLine>> credomatic(const TerminalRow& terminal,
                                                       bool settlement);

private:
    data::Db& m_db;
    UserPort& m_port;
    CardLibraries m_libraries;
};

}  // namespace qz::services::terminals
