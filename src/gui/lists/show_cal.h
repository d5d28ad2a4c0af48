#pragma once
// SHOW_CAL: the calendar pop-up. A month of 6 x 7 days under "D L K M J V S" (Sunday first),
// the date being chosen in edit 501, year and month steps (1001/1004, 1002/1003), the start and
// end of the shown month (201/202) and of every month of its year (203/204 ... 225/226).
//
// A day chosen is kind 0. The start of a month is its first day, kind 1. The end of a month is
// the first day of the following month, kind 2: the receiver subtracts one day (received_date),
// or, in a grid, seeks that month and steps back one row.
#include <optional>
#include <utility>

#include "core/date.h"
#include "gui/framework/dialog_box.h"

class QLabel;
class QLineEdit;

namespace qz::gui {

enum CalKind { kCalDay = 0, kCalMonthStart = 1, kCalMonthEnd = 2 };

class SHOW_CAL : public DIALOG_BOX {
    Q_OBJECT
public:
    static constexpr int kEdit = 501, kMonthStart = 201, kMonthEnd = 202, kFirstDay = 10001;
    static constexpr int kPrevYear = 1001, kPrevMonth = 1002, kNextMonth = 1003,
                         kNextYear = 1004;
    // The start button of month m (1..12) is 201 + 2m, its end button 202 + 2m.

    SHOW_CAL(QWidget* owner, const Date& initial);

    bool Init() override;
    // The choice made: nullopt when the calendar was cancelled.
    const std::optional<std::pair<Date, int>>& choice() const { return m_choice; }
    // The month shown (its first day) and the date in edit 501.
    const Date& shown_month() const { return oDate; }
    const Date& selected() const { return f; }

    // OBJ_CAL steps.
    void NEXT_YEAR() { show_month(oDate.add_months(12)); }
    void PREV_YEAR() { show_month(oDate.add_months(-12)); }
    void NEXT_MONTH() { show_month(oDate.add_months(1)); }
    void PREV_MONTH() { show_month(oDate.add_months(-1)); }
    void SET_SELECTED_DATE(const Date& d);
    // The date shown in cell 10001 + n.
    Date cell_date(int n) const;

protected:
    bool OnCommand(int id) override;
    void OK() override;

private:
    void build();
    void show_month(const Date& first);
    void choose(const Date& d, int kind);

    Date oDate;   // first day of the month shown
    Date f;       // selected date
    int Tipo = kCalDay;
    std::optional<std::pair<Date, int>> m_choice;
    QLabel* m_title = nullptr;
    QLineEdit* m_edit = nullptr;
};

// Opens the calendar over `owner` (disabled while it is open) at `initial` (today when empty)
// and returns the date chosen with its kind, or nullopt when cancelled.
std::optional<std::pair<Date, int>> show_cal(QWidget* owner, Date initial);

// The date a receiver uses: the day before for an end of month, else the date itself.
Date received_date(const std::pair<Date, int>& choice);

}  // namespace qz::gui
