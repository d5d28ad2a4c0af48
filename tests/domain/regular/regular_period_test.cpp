// The dates and texts of a generated regular invoice: the cut-off's advance (carrying into the
// next year, clamped to shorter months, multiplied by emissions), the document's date and the
// period written in words.
#include "domain/regular/regular_period.h"

#include <gtest/gtest.h>

using namespace qz;
using namespace qz::domain::regular;

TEST(RegularPeriod, CutOffAdvanceCarriesIntoTheYearAndClampsToShortMonths) {
    const Date app(2026, 11, 20);
    EXPECT_EQ(advance_cut_off(Date(2026, 11, 15), app, {0, 2, 0}), Date(2027, 1, 15));
    EXPECT_EQ(advance_cut_off(Date(2026, 3, 31), app, {0, 1, 0}), Date(2026, 4, 30));
    EXPECT_EQ(advance_cut_off(Date(2027, 1, 31), app, {0, 1, 0}), Date(2027, 2, 28));
    EXPECT_EQ(advance_cut_off(Date(2028, 2, 29), app, {1, 0, 0}), Date(2029, 2, 28));
    EXPECT_EQ(advance_cut_off(Date(2026, 12, 31), app, {0, 2, 3}), Date(2027, 3, 3));
    // An empty cut-off starts from the application date.
    EXPECT_EQ(advance_cut_off(Date(), app, {0, 1, 0}), Date(2026, 12, 20));
    // Three emissions of one month each move it three months, across the year too.
    EXPECT_EQ(advance_cut_off(Date(2026, 11, 15), app, Advance{0, 1, 0}.times(3)),
              Date(2027, 2, 15));
    EXPECT_EQ(advance_cut_off(Date(2026, 5, 1), app, Advance{0, 6, 0}.times(3)), Date(2027, 11, 1));
}

TEST(RegularPeriod, DocumentDateAndPeriodTexts) {
    const Date app(2026, 2, 10);
    RegularDocument d;
    d.description = "ALQUILER LOCAL 3";
    EXPECT_EQ(regular_document_date(d, app), app);
    d.adjust_day = true;
    d.adjust_to = 31;
    EXPECT_EQ(regular_document_date(d, app), Date(2026, 2, 28));
    d.adjust_day = false;

    EXPECT_EQ(period_text(d, app, "", false), "FEBRERO DE 2026");
    d.previous_month = true;
    EXPECT_EQ(period_text(d, app, "", false), "ENERO DE 2026");
    EXPECT_EQ(period_text(d, Date(2026, 1, 5), "", false), "DICIEMBRE DE 2025");
    EXPECT_EQ(period_text(d, app, "", true), "ENERO DE 2026 ALQUILER LOCAL 3");

    d.previous_month = false;
    d.ranges = true;
    d.range_from = 1;
    d.range_to = 31;
    EXPECT_EQ(period_text(d, app, "", false), "DEL 1 DE FEBRERO DE 2026 AL 28 DE FEBRERO DE 2026");
    d.range_from = 16;
    d.range_to = 15;
    EXPECT_EQ(period_text(d, Date(2026, 12, 3), "", false),
              "DEL 16 DE DICIEMBRE DE 2026 AL 15 DE ENERO DE 2027");

    // The typed description replaces the period unless the document is dated by day.
    EXPECT_EQ(period_text(d, app, "  CUOTA ESPECIAL ", false), "CUOTA ESPECIAL");
    EXPECT_EQ(period_text(d, app, "CUOTA ESPECIAL", true), "CUOTA ESPECIAL ALQUILER LOCAL 3");
    d.adjust_day = true;
    EXPECT_EQ(period_text(d, app, "CUOTA ESPECIAL", false),
              "DEL 16 DE FEBRERO DE 2026 AL 15 DE MARZO DE 2026");
}
