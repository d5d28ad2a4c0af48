#pragma once
// The grid's own small date chooser for "Buscar Fecha...": a month calendar and three choices,
// the day, the start of its month or the end of its month. A session's workspace replaces it with
// the full calendar of the system.
#include <optional>

#include "gui/browse/browse_settings.h"

class QWidget;

namespace qz::gui {

// Control ids: 500 the calendar, 1 "Día", 201 "Inicio de Mes", 202 "Fin de Mes", 2 "Cancelar".
std::optional<ChosenDate> run_date_chooser(QWidget* owner, Date initial);

}  // namespace qz::gui
