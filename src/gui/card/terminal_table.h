#pragma once
// The business's card terminals (P_ELECT) as "Configuración de Estaciones" keeps them: one row
// per station, network and currency, checked before anything is written. Plain C++ over the
// data layer, so the rules are tested without a display.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "services/terminals/card_closings.h"
#include "services/terminals/terminal_rows.h"

namespace qz::gui::card {

using services::terminals::terminal_from_row;
using services::terminals::TerminalRow;

inline constexpr const char* kBankPosware = services::terminals::kPosWareBank;
inline constexpr const char* kBankCredomatic = services::terminals::kSockPosBank;

inline constexpr const char* kNoStation = "Debe indicar la Estación";
inline constexpr const char* kBadBank = "Debe seleccionar la Red de la Terminal";
inline constexpr const char* kUnknownCurrency = "La Moneda no está definida";
inline constexpr const char* kNoDescription = "La Descripción es requerida...";
inline constexpr const char* kNoPoswareParams =
    "La Red 1 requiere Comercio, Número de Comercio y Número de Terminal";
inline constexpr const char* kNoCredomaticTerminal = "La Red 2 requiere el Número de Terminal";
inline constexpr const char* kDuplicateTerminal =
    "Ya existe una Terminal para esa Estación, Red y Moneda";
inline constexpr const char* kTerminalGone = "La Terminal ya no existe...";
inline constexpr const char* kDeleteTerminalAsk = "Desea borrar la Terminal?";

// "1 - Banco Nacional (POSWare)" for "01", "2 - Credomatic" for "02", the code itself otherwise.
std::string bank_caption(const std::string& bank);

// The row as the rules keep it: codes trimmed and upper-cased, texts trimmed.
TerminalRow normal_terminal(TerminalRow row);

// What is wrong with the row, in the order the form shows the fields; "" when nothing.
std::string check_terminal(data::Db& db, const std::string& business, const TerminalRow& row);

// Writes `row` (a new one when `old` is empty, else over the row `old` keys) in one
// transaction; a key another row holds is refused. False after telling the user why.
bool save_terminal(data::Db& db, UserPort& port, const std::string& business,
                   const std::optional<TerminalRow>& old, const TerminalRow& row);

// Asks first; false when the user declined or the row was already gone.
bool delete_terminal(data::Db& db, UserPort& port, const TerminalRow& row);

// The station codes the business's terminals name, each once, in code order.
std::vector<std::string> terminal_stations(data::Db& db, const std::string& business);

}  // namespace qz::gui::card
