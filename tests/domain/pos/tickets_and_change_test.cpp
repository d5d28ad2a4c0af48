// The control number of article tickets, exact beyond what a double holds, and the change
// computed in the sale's currency or the ticket currency.
#include <gtest/gtest.h>

#include "domain/pos/article_tickets.h"
#include "domain/pos/change_calc.h"

using namespace qz;
using namespace qz::domain::pos;

TEST(ArticleTickets, ControlNumbersAreExactSquareRootsOfTheCopyTimeAndDate) {
    EXPECT_EQ(ticket_control_number(1, "14:05:09", "08/12/2026"), "10679561");
    EXPECT_EQ(ticket_control_number(2, "14:05:09", "08/12/2026"), "14630578");
    EXPECT_EQ(ticket_control_number(3, "14:05:09", "08/12/2026"), "17721581");
    // (10^8 + 1)^2 - 1: a double's square root rounds up to 10^8 + 1.
    EXPECT_EQ(ticket_control_number(10000000200000000L, "", ""), "100000100");
    EXPECT_EQ(ticket_control_number(99999999L, "99:99:99", "99/99/99999999999999999999"),
              "10000000000000000099")
        << "38 digits still exact";
    EXPECT_THROW(ticket_control_number(1, "1a:00:00", "01/01/2026"), std::invalid_argument);

    EXPECT_EQ(ticket_count(Decimal::parse("2.5")), 2);
    EXPECT_EQ(ticket_count(Decimal::parse("3")), 3);
    EXPECT_EQ(ticket_count(Decimal::parse("-1")), 0);
    EXPECT_EQ(ticket_valid_until(Date(2026, 12, 31)), Date(2027, 1, 1));
    EXPECT_EQ(ticket_job_name(7), "Tiquete   7");
}

TEST(ChangeCalc, ChangeIsInTheSaleCurrencyAndNegativeWhileShort) {
    ChangeRates r;
    r.sale_currency = "CO";
    r.ticket_currency = "US";
    r.to_ticket = Decimal::parse("0.002");  // 1 / 500
    r.to_sale = Decimal::parse("495");
    r.shown1 = Decimal::parse("500");
    r.shown2 = Decimal::parse("495");
    CtrlCambio c(Decimal::parse("10000"), r);
    c.set_received(Decimal::parse("8000"));
    EXPECT_EQ(c.change(), Decimal::parse("-2000")) << "short, shown negative";
    c.set_received(Decimal::parse("20000"));
    EXPECT_EQ(c.change(), Decimal::parse("10000"));

    c.show_ticket_currency(true);
    EXPECT_EQ(c.shown_currency(), "US");
    EXPECT_EQ(c.to_pay(), Decimal::parse("20"));
    c.set_received(Decimal::parse("50"));
    EXPECT_EQ(c.change(), Decimal::parse("14850")) << "30 dollars at the second rate";
    EXPECT_EQ(c.rate_line(1), "T.C : 500.00");
    EXPECT_EQ(c.rate_line(2), "T.C : 495.00");
    c.show_ticket_currency(false);
    EXPECT_EQ(c.to_pay(), Decimal::parse("10000"));
}
