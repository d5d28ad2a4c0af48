#pragma once
// The printouts of guarantee deposits through the print engine: the deposit's voucher
// (IMP_DEP, also printed on saving when the concept asks for it).
#include <string>

#include "data/db.h"
#include "domain/session/session.h"

class QWidget;

namespace qz::gui {

void print_deposit_voucher(QWidget* owner, data::Db& db, const domain::Session& s,
                           const std::string& movement);

}  // namespace qz::gui
