#pragma once
// Tickets of articles sold as entries or passes (DEF_ART IMP_T = 1): one paper ticket per whole
// unit sold, each with a control number that ties it to its copy, document date and time.
#include <string>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::pos {

// ⌊√n⌋ + 100 where n is the text of `copy`, the time without its colons and the printed date
// without its slashes, read as one whole number. Exact for any length a ticket can have: the
// text easily exceeds what a double holds exactly. Throws std::invalid_argument when the text
// holds anything but digits once the separators are gone, or more than 38 of them.
std::string ticket_control_number(long copy, const std::string& time, const std::string& date_text);

// The whole units of a line's quantity (2.5 prints 2 tickets); 0 for nothing or a return.
long ticket_count(const Decimal& quantity);

// A ticket is good for the day of its document only: it reads valid until the day after.
inline Date ticket_valid_until(const Date& document_date) { return document_date + 1; }

// The business's printer slot for tickets (F_FAC IMP_T): a shared printer profile code.
std::string ticket_printer_slot(data::Db& db, const std::string& business);

// "Tiquete " + the copy right-aligned in 3.
std::string ticket_job_name(long copy);

}  // namespace qz::domain::pos
