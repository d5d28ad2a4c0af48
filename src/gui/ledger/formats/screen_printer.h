#pragma once
// The document printer of a screen: the session's printers and message port (the print
// context's, or Qt's own outside a session), the job opened, closed and previewed over `owner`.
#include "core/ini_file.h"
#include "data/db.h"
#include "gui/ledger/formats/document_print.h"

class QWidget;

namespace qz::gui {

DocumentPrinter screen_printer(QWidget* owner, data::Db& db, const IniFile& ini);

}  // namespace qz::gui
