#pragma once
// A tree printed as a report: the tree's name as title, one line per node indented by its level,
// marked nodes flagged, cargos in a right-hand column.
#include <string>
#include <vector>

#include "gui/lists/treeview.h"

class QWidget;

namespace qz::gui {

void print_tree_report(QWidget* owner, const std::string& title,
                       const std::vector<TreePrintLine>& lines, bool dotted);

}  // namespace qz::gui
