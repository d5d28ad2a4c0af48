#pragma once
// Number series (SERIALES): the next formatted number of a business's series. A series of the
// whole business has a blank USUARIO.
#include <string>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// What GET_NXSERIAL answers, padded to 15, when the series does not exist.
inline constexpr const char* kNoSerial = "NO_SERIAL!";
inline bool is_no_serial(const std::string& number) { return number.rfind("NO_SERIAL", 0) == 0; }

// Issues the next number of the series `code` of `business`: NUMERO + 1 (zero-padded to INDENT
// unless JUSTIFICA = 1) between the trimmed PREFIJO and POSFIJO, written back as NUMERO and
// CURRENT_N under the series row's lock. The result is exactly 15 characters; kNoSerial when
// the series is missing. `series` is an open SERIALES handle to reuse (any order), or null.
std::string GET_NXSERIAL(data::Db& db, const std::string& business, const std::string& code,
                         data::WDBTable* series = nullptr);
// The number GET_NXSERIAL would issue next, without taking it.
std::string GET_CURRENTSERIAL(data::Db& db, const std::string& business, const std::string& code);

}  // namespace qz::domain
