#pragma once
// What the read-only windows of documents and payments show their rows in: a table the user
// reads and chooses from but never edits, filled from text rows, with money through the amount
// picture ("999,999,999.99").
#include <QTableWidget>
#include <set>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"

namespace qz::gui {

// A table with these headings; whole rows are chosen, and the column `stretch` (a description)
// takes the width the others leave.
QTableWidget* value_table(QWidget* parent, const std::vector<std::string>& headings,
                          int stretch = -1);
// Replaces the rows; the columns in `right` are aligned right (amounts).
void put_rows(QTableWidget& table, const std::vector<std::vector<std::string>>& rows,
              const std::set<int>& right = {});

std::string shown_money(const Decimal& value);
// "dd/mm/yy", or "" for the empty date.
std::string shown_date(const Date& date);

}  // namespace qz::gui
