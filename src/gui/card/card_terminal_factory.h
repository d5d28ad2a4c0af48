#pragma once
// The card terminal a screen charges cards through: the card service over this workstation's
// stripe reader and voucher printer, with the networks' libraries its settings choose. Without
// a settings file there is nothing to find a station by, and the terminal says so as the
// networks' service does when its library is missing.
#include <memory>
#include <string>

#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/pos/card_terminal.h"

class QWidget;

namespace qz::gui {

std::unique_ptr<domain::pos::CardTerminal> make_card_terminal(QWidget* owner, data::Db& db,
                                                              UserPort& port, const IniFile* ini,
                                                              const std::string& business);

}  // namespace qz::gui
