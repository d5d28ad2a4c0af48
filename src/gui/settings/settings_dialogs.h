#pragma once
// The settings dialogs of the "&Archivo" menu: "Fuente Despliegue de Datos" (SYS_FONT),
// "Parámetros Manipulación DB" (SYS_DB) and "Acceso Fecha/Hora" (FEC_HORA). Each is modal over
// `owner` (the main window when null) and returns whether the user saved.
#include "domain/session/settings.h"

class QWidget;

namespace qz {
class Clock;
}
namespace qz::data {
class Db;
}

namespace qz::gui {

// Edits the data, printing and screen fonts of F_SYS. Saving applies the printing font and the
// screen font at once; screens opened afterwards take the new screen font.
bool open_sys_font(QWidget* owner, data::Db& db, domain::AppSettings& settings);

// Edits the F_SYS parameters. Saving applies at once what the settings rules say (greyed
// options, interface colours, dialog size, socket, flat buttons, idle limit); the caller
// repaints with the new colours when it returns true.
bool open_sys_db(QWidget* owner, data::Db& db, domain::AppSettings& settings,
                 domain::ColourDisplay display = domain::ColourDisplay::Rich);

// Chooses the workstation clock instead of the server's for the rest of the session; nothing
// is stored.
bool open_fec_hora(QWidget* owner, domain::AppSettings& settings, Clock& clock);

}  // namespace qz::gui
