#include "core/stamp.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace qz {

std::string os_user_name() {
    if (const char* u = std::getenv("USER"); u && *u) return u;
    if (const passwd* pw = getpwuid(getuid())) return pw->pw_name;
    return "?";
}

std::string computer_name() {
    char buf[256] = {};
    if (gethostname(buf, sizeof buf - 1) != 0) return "?";
    return buf;
}

std::string info_user(const DateTime& at) {
    return os_user_name() + " / " + computer_name() + " " + at.date.dtoc() + " " + at.time;
}

}  // namespace qz
