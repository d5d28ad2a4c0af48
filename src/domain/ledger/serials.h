#pragma once
// Number series (SERIALES): the next formatted number of a business's series, and numbers given
// back. A series of the whole business has a blank USUARIO; a user may own a series of the same
// code, which only giving numbers back looks at first.
#include <string>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

// What GET_NXSERIAL answers, padded to 15, when the series does not exist.
inline constexpr const char* kNoSerial = "NO_SERIAL!";
inline bool is_no_serial(const std::string& number) { return number.rfind("NO_SERIAL", 0) == 0; }

// The series row's key (order SERIALES) of the business-wide series `code`, or of the one
// `user` owns.
std::string series_key(const std::string& business, const std::string& code,
                       const std::string& user = "");

// `number` as the series on the handle writes it: zero-padded to INDENT unless JUSTIFICA = 1
// (a longer number is never cut), between the trimmed PREFIJO and POSFIJO.
std::string format_serial(const data::WDBTable& series, long long number);

// Issues the next number of the series `code` of `business`: NUMERO + 1 formatted, written back
// as NUMERO and CURRENT_N. The series row stays locked until the caller's transaction ends, so
// a document rolled back gives its number back by itself and no other workstation can take the
// same one; outside a transaction the number is committed at once. The result is exactly 15
// characters; kNoSerial when the series is missing. `series` is an open SERIALES handle to
// reuse (any order), or null.
std::string GET_NXSERIAL(data::Db& db, const std::string& business, const std::string& code,
                         data::WDBTable* series = nullptr);
// The number GET_NXSERIAL would issue next, without taking it.
std::string GET_CURRENTSERIAL(data::Db& db, const std::string& business, const std::string& code);

enum class GiveBack {
    Ignored,   // a blank number or NO_SERIAL!: nothing was taken
    Returned,  // it was the last number issued: the series moved back
    Recorded,  // a later number was issued already, or the series is gone: a BAD_SRLS row
};

// Gives back `number` of the series `code` (the one `user` owns, else the business's), for a
// number whose document's transaction committed before it was abandoned. In one transaction of
// its own (or the caller's).
GiveBack CANCEL_SERIAL(data::Db& db, const std::string& user, const std::string& business,
                       const std::string& code, const std::string& number);

}  // namespace qz::domain
