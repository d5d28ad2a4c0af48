// The deposit voucher and listings as the print engine lays them out: the voucher names the
// payer, the amount, the stay, the reservations paid and the card only by its last four digits,
// says "ANULADO" once voided and leaves a line to sign; the listings add each currency apart
// and close each reservation with what it received.
#include "gui/deposits/deposit_print.h"

#include <gtest/gtest.h>

#include "gui/deposits/deposit_reports.h"
#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"

namespace qz::gui {
namespace {

namespace dl = qz::domain;

dl::DepositView sample() {
    dl::DepositView v;
    dl::DepositHeader& h = v.record.header;
    h.movement = "DG00000007";
    h.date = Date(2026, 5, 20);
    h.concept_code = "02";
    v.concept_name = "Depósito con Tarjeta";
    h.made_by = "AGEN";
    v.made_by_name = "Agencia Viajes Tropicales";
    h.full_name = "Mora Rojas Ana";
    h.currency = "US";
    h.amount = Decimal::parse("1250.50");
    h.number = "VOUCHER-88";
    h.arrival = Date(2026, 6, 1);
    h.departure = Date(2026, 6, 4);
    h.comment = "Garantía de grupo";
    h.card = "4111111111111111";
    h.card_authorisation = "A12345";
    v.record.applications = {
        {"RES-0007", "DBL", 2, "DG00000007", "VOUCHER-88", h.date, Decimal::parse("700.00")},
        {"RES-0008", "STD", 1, "DG00000007", "VOUCHER-88", h.date, Decimal::parse("550.50")}};
    return v;
}

std::string voucher(const dl::DepositView& v) {
    return services::test::laid_out(
        [&](services::PrinterFunction& job) { deposit_voucher_titles(job, v); },
        [&](services::PrinterFunction& job) { draw_deposit_voucher(job, v); });
}

TEST(DepositPrint, TheVoucherNamesEverythingAndMasksTheCard) {
    const std::string text = voucher(sample());
    for (const char* part :
         {kDepositVoucherTitle, "Depósito #DG00000007", "AGEN Agencia Viajes Tropicales",
          "Mora Rojas Ana", "1,250.50", "VOUCHER-88", "01/06/2026 al 04/06/2026",
          "Garantía de grupo", "************1111", "A12345", "RES-0007", "550.50", "Firma"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    EXPECT_EQ(text.find("4111111111111111"), std::string::npos);
    EXPECT_EQ(text.find("ANULADO"), std::string::npos);
    EXPECT_EQ(text, ::qz::test::golden_at(__FILE__, "deposit_voucher.txt", text));

    auto voided = sample();
    voided.record.header.voided_by = "SUP";
    voided.record.header.card.clear();
    const std::string v = voucher(voided);
    EXPECT_NE(v.find("ANULADO"), std::string::npos);
    EXPECT_EQ(v.find("Tarjeta:"), std::string::npos) << "no card line without a card";
}

TEST(DepositPrint, ListingsTotalEachCurrencyAndEachReservation) {
    dl::DepositListing l;
    dl::DepositHeader a;
    a.movement = "DG00000001";
    a.currency = "CO";
    a.amount = Decimal(1000);
    a.balance = Decimal(400);
    l.deposits = {a};
    l.totals = {{"CO", 1, Decimal(1000), Decimal(400)}, {"US", 2, Decimal(75), Decimal(0)}};
    const std::string dates = services::test::laid_out(
        [](services::PrinterFunction& job) { job.TITLE1("Depósitos por Fecha"); },
        [&](services::PrinterFunction& job) { draw_deposit_listing(job, l); });
    EXPECT_NE(dates.find("Total CO: 1 depósitos"), std::string::npos) << dates;
    EXPECT_NE(dates.find("Total US: 2 depósitos"), std::string::npos);
    EXPECT_NE(dates.find("Pendiente"), std::string::npos);

    dl::ReservationDepositListing r;
    r.currency = "US";
    for (const char* res : {"RES-0005", "RES-0008", "RES-0008"})
        r.lines.push_back({{res, "DBL", 1, "DG00000001", "V", Date(2026, 5, 20), Decimal(40)},
                           "Mora Ana",
                           "CO",
                           Decimal(1000)});
    r.per_reservation = {{"RES-0005", Decimal(40)}, {"RES-0008", Decimal(80)}};
    r.total = Decimal(120);
    const std::string res = services::test::laid_out(
        [](services::PrinterFunction& job) { job.TITLE1("Depósitos por Reservación"); },
        [&](services::PrinterFunction& job) { draw_reservation_deposits(job, r); });
    const size_t first = res.find("Total Reservación RES-0005:");
    const size_t second = res.find("Total Reservación RES-0008:");
    ASSERT_NE(first, std::string::npos) << res;
    ASSERT_NE(second, std::string::npos);
    EXPECT_LT(first, res.find("RES-0008"));
    EXPECT_NE(res.find("80.00"), std::string::npos);
    EXPECT_NE(res.find("Total US:"), std::string::npos);
    EXPECT_NE(res.find("120.00"), std::string::npos);
}

}  // namespace
}  // namespace qz::gui
