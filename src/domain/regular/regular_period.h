#pragma once
// The dates and texts of one generated regular invoice: how far its cut-off moves, the date the
// document takes and the billed period written in words. Pure calculations, no reads.
#include <string>

#include "core/date.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::regular {

// How far a cut-off moves per generation (F_FAC SUMA_ANO, SUMA_MES, SUMA_DIA by default).
struct Advance {
    int years = 0, months = 0, days = 0;
    bool any() const { return years != 0 || months != 0 || days != 0; }
    Advance times(int n) const { return {years * n, months * n, days * n}; }
};

// Day `day` of a month, or its last day when the month is shorter (31 in April is the 30th,
// 29 in February of a common year the 28th); days below 1 count as the 1st.
Date day_of_month(int year, int month, int day);

// The cut-off after a generation: an empty one starts from the application date; years and
// months move the month (carrying into the year as often as needed) keeping the day, clamped to
// the target month's last day; then the days are added.
Date advance_cut_off(const Date& cut_off, const Date& application, const Advance& a);

// Day DIA_AJUSTE of the application month (clamped) when AJUSTAR_D, else the application date.
Date regular_document_date(const RegularDocument& d, const Date& application);

// The billed period's text. With DO_RANGOS: "DEL d DE MES DE aaaa AL d DE MES DE aaaa", from day
// RANGO1 of the billed month to day RANGO2 of that month, or of the next one when RANGO1 is
// later; otherwise "MES DE aaaa". The billed month is the application's, or the previous one
// with M_ANTERIOR. `typed` (the dialog's description) replaces the text unless AJUSTAR_D; with
// `append_description` (F_FAC TXT_REGULA) the regular document's DESCRIP follows.
std::string period_text(const RegularDocument& d, const Date& application, const std::string& typed,
                        bool append_description);

}  // namespace qz::domain::regular
