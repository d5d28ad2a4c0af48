#pragma once
// Seek keys of the session tables, built from their orders in the catalogue.
#include <string>

#include "core/text.h"
#include "data/order_key.h"

namespace qz::domain::keys {

inline std::string business(const std::string& code) { return data::business_key(code); }

// USUARIOS: NEGOCIO + NOMBRE (login names are kept upper case).
inline std::string user_by_name(const std::string& biz, const std::string& login_name) {
    return data::order_key("USUARIOS", "USUARIOS", {trim(biz), upper_ascii(trim(login_name))});
}

// USUARIO3: NEGOCIO + CODIGO.
inline std::string user_by_number(const std::string& biz, long number) {
    return data::order_key("USUARIOS", "USUARIO3", {trim(biz), static_cast<long long>(number)});
}

// MENUS: NEGOCIO + CODIGO [+ ID]; DET_PERF, DET_TRA2 and PERFILES lead with the same two parts.
inline std::string rights_of(const std::string& biz, long code) {
    return data::order_key("MENUS", "MENUS", {trim(biz), static_cast<long long>(code)});
}
inline std::string right(const std::string& biz, long code, int id) {
    return data::order_key("MENUS", "MENUS",
                           {trim(biz), static_cast<long long>(code), static_cast<long long>(id)});
}

}  // namespace qz::domain::keys
