// The voucher's page: the workstation's header lines without the blank ones and every caption in
// its place (the purchase's original is the golden file), the void's caption and the customer's
// copy, and never more of the card than its last four digits.
#include "services/terminals/voucher_page.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "services/print/print_fakes.h"
#include "support/golden.h"

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
        voucher = {"HOTEL",
                   false,
                   "************1111",
                   "A71234",
                   "000000123456",
                   DateTime{Date(2026, 12, 8), "14:05:09"},
                   "$",
                   Decimal::parse("1234567.5")};
    }
    void TearDown() override { std::filesystem::remove(path); }
    std::string page(VoucherCopy copy) {
        const VoucherHeading heading = voucher_heading(ini, "HOTEL");
        return test::laid_out(
            [](PrinterFunction&) {},
            [&](PrinterFunction& job) { draw_voucher(job, voucher, heading, copy); });
    }
    bool shows(const std::string& page, const std::string& line) {
        return page.find('"' + line + '"') != std::string::npos;
    }

    std::filesystem::path path = std::filesystem::temp_directory_path() / "qz_voucher_page.ini";
    IniFile ini{path};
    Voucher voucher;
};

TEST_F(VoucherPage, APurchaseShowsTheHeadingTerminalCardDateCodesAndAmount) {
    const std::string original = page(VoucherCopy::Original);
    EXPECT_EQ(original, qz::test::golden_at(__FILE__, "voucher_purchase.txt", original));
    EXPECT_TRUE(shows(original, "Playa Hermosa, Guanacaste"));
    EXPECT_FALSE(shows(original, "Otro negocio"));
    EXPECT_TRUE(shows(original, "MONTO/AMOUNT: $ 1,234,567.50"));
    EXPECT_TRUE(shows(original, "***ORIGINAL***"));

    voucher.is_void = true;
    const std::string copy = page(VoucherCopy::Customer);
    EXPECT_TRUE(shows(copy, "ANULACION/VOID"));
    EXPECT_TRUE(shows(copy, "***COPIA CLIENTE***"));
    EXPECT_EQ(copy.find("COMPRA"), std::string::npos);
    EXPECT_EQ(copy.find("ORIGINAL"), std::string::npos);
}

TEST_F(VoucherPage, OnlyTheLastFourDigitsOfTheCardArePrinted) {
    voucher.masked_card = "4111111111111111";
    EXPECT_TRUE(shows(page(VoucherCopy::Original), "Card:  ************1111"));
    voucher.masked_card = "4111-1111-1111-1234";
    EXPECT_TRUE(shows(page(VoucherCopy::Original), "Card:  ****-****-****-1234"));
}

}  // namespace
}  // namespace qz::services::terminals
