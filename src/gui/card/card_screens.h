#pragma once
// The card terminals' screens: the business's terminals ("Configuración de Estaciones"), this
// workstation's station and voucher settings ("Asignación Estación a PC"), the terminals' own
// closings and the log of the attempts sent to them.
#include <filesystem>
#include <string>

#include "core/ini_file.h"
#include "data/db.h"

class QWidget;

namespace qz::gui {

class MasterListScreen;
class WDIAG;

// Fields of the terminal form (P_ELECT).
inline constexpr int kTermStation = 701, kTermBank = 702, kTermCurrency = 703,
                     kTermDescription = 704, kTermParam1 = 705, kTermParam2 = 706,
                     kTermParam3 = 707;
MasterListScreen* open_card_stations(QWidget* owner, data::Db& db, const std::string& business);

// Fields of "Asignación Estación a PC" ("ESTACION_CREDIT").
inline constexpr int kPcStation = 701, kPcTerminalId = 702, kPcHeader1 = 703, kPcPrinter = 707,
                     kPcDevice = 708, kPcTraining = 709;
// False when the user left without saving.
bool open_station_of_pc(QWidget* owner, data::Db& db, const std::string& business, IniFile& ini);

// The closing dialogs: CIE_POSWARE (network 1 settlement), PRE_CIE_CREDOMAT (network 2
// report) and CIE_CREDOMAT (network 2 settlement). The terminals are listed in control 500;
// network 2's reply is shown in control 501.
inline constexpr int kClosingTerminals = 500, kClosingReply = 501;
inline constexpr const char* kNoTerminalChosen = "Debe seleccionar una Terminal válida";
enum class CardClosing { Posware, CredomaticReport, CredomaticSettlement };
void open_card_closing(QWidget* owner, data::Db& db, const std::string& business,
                       const IniFile& ini, const std::filesystem::path& library_dir,
                       CardClosing which);

// "LOG_P_EL": the business's purchases and voids sent to the terminals, newest first.
WDIAG* open_card_log(QWidget* owner, data::Db& db, const std::string& business);

}  // namespace qz::gui
