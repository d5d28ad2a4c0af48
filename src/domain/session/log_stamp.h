#pragma once
// Who is writing a usage log: the part of the session every log record is stamped with. The
// session fills it at login and after a change of business.
#include <string>

namespace qz::domain {

struct SessionStamp {
    std::string negocio;  // XU_COMP; empty before a business is chosen
    std::string usuario;  // XUSER_ABREVIA, the user's short code
    std::string modulo;   // EXT_MODULO
};

}  // namespace qz::domain
