#pragma once
// The one place that knows how a reservation (SPA_RESE) and its lines (SPA_RESD) lie in their
// rows. Every reader and writer of those tables goes through these, so a field means the same
// wherever it is read and nothing decodes a reservation by hand.
#include <string>

#include "data/wdbtable.h"
#include "domain/spa/reservations/reservation_record.h"

namespace qz::domain::spa {

SpaHeader reservation_from_row(const data::WDBTable& t);
// Every field of `h` into the row, under the business.
void put_reservation_row(data::WDBTable& t, const std::string& business, const SpaHeader& h);
// What the form may change of a saved reservation: all but its number, state, invoice and stamps.
void take_form_fields(SpaHeader& saved, const SpaHeader& form);

SpaLine line_from_row(const data::WDBTable& t);  // without its description
// The line as line `n` of reservation `code`.
void put_line_row(data::WDBTable& t, const std::string& business, const std::string& code, int n,
                  const SpaLine& l);

// The key of a reservation in SPA_RESE (business + code), and that of its lines in SPA_RESD.
std::string reservation_key(const std::string& business, const std::string& code);
std::string reservation_lines_key(const std::string& business, const std::string& code);

}  // namespace qz::domain::spa
