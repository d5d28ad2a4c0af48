#pragma once
// The stage history of one row: every move with its date, time, stages, authoriser and reason.
#include <string>
#include <vector>

#include "domain/collections/stage_moves.h"

class QWidget;

namespace qz::gui {

// Modal over `owner` (dialog HIS_ETAP, its table's objectName 500).
void show_stage_history(QWidget* owner, const std::string& row,
                        const std::vector<domain::StageHistoryLine>& lines);

}  // namespace qz::gui
