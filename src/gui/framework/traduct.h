#pragma once
// Caption translation: a business renames the words of the screens (a spa that says "Huésped"
// where the system says "Cliente") through the rows of XTRADUCT.
#include <string>
#include <vector>

#include "gui/framework/framework_settings.h"

class QWidget;

namespace qz::gui {

// The caption with the first matching row applied, once. A row matches when its `from` occurs in
// the caption (case-insensitive) and either its mode is 1 or it is the whole caption; failing
// that, a mode-0 row matches `from` followed by a blank, then a blank followed by `from`, so a
// word is not replaced inside a longer one.
std::string CHECK_TRADUCT(const std::string& caption, const std::vector<TraductRow>& rows);

// Every caption under `root` (labels, buttons, group boxes, tab titles) through XTRADUCT.
void translate_captions(QWidget& root);

}  // namespace qz::gui
