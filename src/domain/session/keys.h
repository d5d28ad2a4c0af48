#pragma once
// Seek keys of the session tables, built the way their orders compute them: business padded to
// 15, login name upper case padded to 10, numbers right-aligned in their key width.
#include <string>

#include "core/text.h"

namespace qz::domain::keys {

inline std::string business(const std::string& code) { return pad_right(trim(code), 15); }

// USUARIOS: NEGOCIO + NOMBRE.
inline std::string user_by_name(const std::string& biz, const std::string& login_name) {
    return business(biz) + pad_right(upper_ascii(trim(login_name)), 10);
}

// USUARIO3: NEGOCIO + CODIGO (4).
inline std::string user_by_number(const std::string& biz, long number) {
    return business(biz) + str_int(number, 4);
}

// MENUS and DET_PERF: NEGOCIO + CODIGO (8) [+ ID (8)]; PERFILES: NEGOCIO + CODIGO (8).
inline std::string rights_of(const std::string& biz, long code) {
    return business(biz) + str_int(code, 8);
}
inline std::string right(const std::string& biz, long code, int id) {
    return rights_of(biz, code) + str_int(id, 8);
}

}  // namespace qz::domain::keys
