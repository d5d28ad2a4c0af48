#pragma once
// Pictures: how numbers and texts are shown and typed on screens and printouts (the xBase
// TRANSFORM idea). A picture is an optional function part followed by a blank and a template:
// "999,999.99", "@E 999,999.99", "@Z 99.9", "@!", "@R 99:99".
//
// Number templates: '9' or '#' hold a digit, ',' a thousands separator printed only between
// digits, '.' the decimal point; any other character is printed as it stands.
// Text templates: '9', '#', 'A', 'N', 'X' take the next character of the text, '!' takes it
// upper-cased; any other character is a literal that overwrites the text's character at that
// position, or is inserted between them with "@R".
// Functions (combinable, "@EZ"): E European (',' and '.' trade places in what is shown and
// typed), Z blank when zero, ! the whole text in upper case, R literals inserted.
#include <string>
#include <string_view>

#include "core/decimal.h"

namespace qz {

// The value rounded half away from zero to the template's decimals and right-aligned in its width,
// a minus sign just before the first digit; asterisks over the whole width when it does not fit.
// Without a template the value is written plainly with every significant decimal.
std::string pic_format(const Decimal& value, std::string_view picture);

// Reads what a user typed into a field with this picture: blanks around, an optional leading
// minus, thousands separators between digits (each followed by three digits) and one decimal
// point. A blank field is zero. The result is rounded to the template's decimals and must fit the
// template; false (and `out` untouched) otherwise.
bool pic_parse(std::string_view typed, std::string_view picture, Decimal& out);

// A text through a text picture ("@!", "99:99", "@R 99:99"); the result is as wide as the template
// (blank-filled), or the whole text when there is no template.
std::string pic_format_text(std::string_view text, std::string_view picture);

// ASCII and the accented Latin letters (á/Á, ñ/Ñ, ü/Ü...) of UTF-8 text, other characters as
// they are. Names typed with accents must come out right in "@!" fields and title case.
std::string upper_latin(std::string_view text);
std::string lower_latin(std::string_view text);

}  // namespace qz
