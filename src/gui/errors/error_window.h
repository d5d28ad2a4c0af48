#pragma once
// The error window "ERROR_SPEC": what the error handler composed for a failure, with
// "Reintentar" (201), "Ignorar" (202) and "Salir" (1). It is modal and runs its own event loop;
// the caller hands the answer back to ErrorHandler::answer.
#include "domain/session/error_handler.h"

class QWidget;

namespace qz::gui {

// Shows `window` over `owner` (the main window when null) until the user answers. Closing the
// window is "Salir".
domain::ErrorAnswer ERROR_SPEC(QWidget* owner, const domain::ErrorWindow& window);

}  // namespace qz::gui
