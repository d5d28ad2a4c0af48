#pragma once
// The list of print formats (FORM_DOC, "Formatos de Impresión", command 6515): add, change the
// code or name, delete, and "Diseñar" to open the format's designer.
#include <string>

#include "core/ini_file.h"
#include "data/db.h"
#include "gui/lists/master_list.h"

namespace qz::gui {

inline constexpr int kFormatListCommand = 6515;
inline constexpr int kDesignButton = 204;

MasterListScreen* open_format_list(QWidget* owner, data::Db& db, IniFile& ini,
                                   const std::string& business);

}  // namespace qz::gui
