// The designer's rules of placing elements: new ones do not cover the others, a line field
// joins the lines block, dragging snaps to half cells and stays on the sheet, the columns of the
// lines move down together, and a field of the other block moves its element there.
#include "domain/ledger/print_format_draft.h"

#include <gtest/gtest.h>

#include "domain/ledger/print_shipped.h"

using namespace qz::domain;

TEST(FormatDraft, ElementsArePlacedWithoutCoveringOthersAndLineFieldsJoinTheBlock) {
    FormatDraft d(shipped_invoice_format());
    const size_t header = d.format().header.size();
    const size_t i = d.add_field("CEDULA");
    EXPECT_EQ(i, header);
    EXPECT_FALSE(d.is_line(i));
    EXPECT_EQ(d.at(i).row, 48);  // below the lowest element, the signature captions
    const size_t l = d.add_field("L_IMPUESTO");
    EXPECT_TRUE(d.is_line(l));
    EXPECT_EQ(d.at(l).row, 11);
    EXPECT_EQ(d.at(l).text, "Impuesto");
    EXPECT_EQ(d.at(l).align, 2);
    // No room right of the last column: it starts at the last cell, one cell wide.
    EXPECT_EQ(d.at(l).column, 95);
    EXPECT_EQ(d.at(l).width, 1);
    EXPECT_TRUE(d.dirty());
    EXPECT_EQ(d.at(d.add_field("L_DOCUMEN")).text, "Documento Pagado");
}

TEST(FormatDraft, DraggingSnapsStaysOnTheSheetAndMovesTheLinesTogether) {
    FormatDraft d(shipped_invoice_format());
    d.move(0, 3.26, 10.74);
    EXPECT_EQ(d.at(0).row, 3.5);
    EXPECT_EQ(d.at(0).column, 10.5);
    d.move(0, 80, 200);  // EMPRESA is 56 cells wide
    EXPECT_EQ(d.at(0).row, 65);
    EXPECT_EQ(d.at(0).column, 40);
    const size_t first_line = d.format().header.size();
    d.move(first_line + 2, 14, 44);
    for (const auto& l : d.format().lines) EXPECT_EQ(l.row, 14);
    EXPECT_EQ(d.at(first_line + 2).column, 44);
    d.move(first_line, 60, 0);  // 24 lines must still fit below
    EXPECT_EQ(d.at(first_line).row, 42);
    EXPECT_EQ(check_format(d.format()), "");
}

TEST(FormatDraft, ChangingAnElementToAFieldOfTheOtherBlockMovesItThere) {
    FormatDraft d(shipped_invoice_format());
    const size_t header = d.format().header.size(), lines = d.format().lines.size();
    FormatElement e = d.at(0);
    e.field = "L_PRECIO";
    const size_t moved = d.change(0, e);
    EXPECT_TRUE(d.is_line(moved));
    EXPECT_EQ(d.format().header.size(), header - 1);
    EXPECT_EQ(d.format().lines.size(), lines + 1);
    EXPECT_EQ(d.at(moved).row, 11);
    d.remove(moved);
    EXPECT_EQ(d.format().lines.size(), lines);
    EXPECT_EQ(check_format(d.format()), "");
}
