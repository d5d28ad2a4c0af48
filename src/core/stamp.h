#pragma once
// The trace written into records (INFO_USER and its kin): who, on which computer, when.
#include <string>

#include "core/clock.h"

namespace qz {

std::string os_user_name();
std::string computer_name();
// operating-system user + " / " + computer + " " + dd/mm/yy + " " + time
std::string info_user(const DateTime& at);

}  // namespace qz
