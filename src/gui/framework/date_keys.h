#pragma once
// Date keys of edit fields: while a field holds a date, "+" (or "¡") moves it a day on, "-" (or
// the apostrophe) a day back, and a right click opens a calendar at the field. Any other text
// types normally, and XSEL_DATE "NO" switches the keys off everywhere.
#include <optional>

#include "core/date.h"

class QLineEdit;
class QWidget;

namespace qz::gui {

// Gives the edit the date keys (once, however often it is asked).
void attach_date_keys(QLineEdit* edit);

// The field's date when it counts as one: only digits, "/" and blanks, no selection, and a
// valid date with a year.
std::optional<Date> field_date(const QLineEdit& edit);

// Writes the date the way the field shows dates ("dd/mm/yy", or "dd/mm/yyyy" when it had four
// year digits).
void put_field_date(QLineEdit& edit, const Date& date);

// The calendar (SHOW_CAL) under the field, at its date (today's without one); a day chosen is
// written into the field. Returns the pop-up, which deletes itself when closed.
QWidget* show_calendar(QLineEdit& edit);

}  // namespace qz::gui
