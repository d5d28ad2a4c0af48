// The voucher's page: the workstation's header lines without the blank ones, every caption in
// its place (the purchase's page is the golden file), the void's caption and the customer's copy,
// and never more of the card than its last four digits.
#include "services/terminals/voucher_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "services/print/print_fakes.h"

namespace qz::services::terminals {
namespace {

class VoucherPage : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove(path);
        ini.set("ESTACION_CREDIT_H1", "HOTEL", "HOTEL BOSQUE DEL MAR");
        ini.set("ESTACION_CREDIT_H2", "HOTEL", "   ");
        ini.set("ESTACION_CREDIT_H3", "HOTEL", "Playa Hermosa, Guanacaste");
        ini.set("ESTACION_CREDIT_H4", "SPA", "Otro negocio");
        ini.set("ESTACION_CREDIT_ID", "HOTEL", "CRD00417");
        voucher.business = "HOTEL";
        voucher.masked_card = "************1111";
        voucher.authorisation = "A71234";
        voucher.reference = "000000123456";
        voucher.when = DateTime{Date(2026, 12, 8), "14:05:09"};
        voucher.currency_symbol = "$";
        voucher.amount = Decimal::parse("1234567.5");
    }
    void TearDown() override { std::filesystem::remove(path); }
    std::string page(VoucherCopy copy) {
        const VoucherHeading heading = voucher_heading(ini, "HOTEL");
        return test::laid_out(
            [](PrinterFunction&) {},
            [&](PrinterFunction& job) { draw_voucher(job, voucher, heading, copy); });
    }

    std::filesystem::path path = std::filesystem::temp_directory_path() / "qz_voucher_page.ini";
    IniFile ini{path};
    Voucher voucher;
};

TEST_F(VoucherPage, APurchaseShowsTheHeadingTerminalCardDateCodesAndAmount) {
    const VoucherHeading heading = voucher_heading(ini, "HOTEL");
    EXPECT_EQ(heading.lines,
              (std::vector<std::string>{"HOTEL BOSQUE DEL MAR", "Playa Hermosa, Guanacaste"}));
    EXPECT_EQ(heading.terminal_id, "CRD00417");
    const std::string original = page(VoucherCopy::Original);
    EXPECT_EQ(original, test::golden("voucher_purchase.txt", original));
    EXPECT_NE(original.find("\"MONTO/AMOUNT: $ 1,234,567.50\""), std::string::npos);
    EXPECT_EQ(original.find("COPIA"), std::string::npos);
}

TEST_F(VoucherPage, AVoidAndTheCustomersCopySayWhatTheyAre) {
    voucher.is_void = true;
    const std::string copy = page(VoucherCopy::Customer);
    EXPECT_NE(copy.find("\"ANULACION/VOID\""), std::string::npos);
    EXPECT_EQ(copy.find("COMPRA"), std::string::npos);
    EXPECT_NE(copy.find("\"***COPIA CLIENTE***\""), std::string::npos);
    EXPECT_EQ(copy.find("ORIGINAL"), std::string::npos);
}

TEST_F(VoucherPage, OnlyTheLastFourDigitsOfTheCardArePrinted) {
    voucher.masked_card = "4111111111111111";
    std::string printed = page(VoucherCopy::Original);
    EXPECT_NE(printed.find("\"Card:  ************1111\""), std::string::npos) << printed;
    EXPECT_EQ(printed.find("41111"), std::string::npos);
    voucher.masked_card = "4111-1111-1111-1234";
    printed = page(VoucherCopy::Original);
    EXPECT_NE(printed.find("\"Card:  ****-****-****-1234\""), std::string::npos) << printed;
}

}  // namespace
}  // namespace qz::services::terminals
