// The voucher on the printer the workstation names for it: both copies in one job, the original
// first; a printer not named, unknown or failing is told in the system's words; and on the PDF
// file printer both copies land in one file.
#include "gui/card/voucher_printer.h"

#include <filesystem>

#include "gui/print/print_gui_fakes.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

class FailingDevice : public test::RecordingDevice {
public:
    using RecordingDevice::RecordingDevice;
    int end_page(const services::Page&) override { return 1; }
};

class VoucherPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove(path);
        ini.set("PREDET_P_CREDOMATIC", "HOTEL", "CR");
        ini.set("PREDET_P", "HOTELCR", "Caja_Epson");
        ini.set("ESTACION_CREDIT_ID", "HOTEL", "CRD00417");
        print_context().port = &port;
        scope.record_into(printed);
    }
    void TearDown() override { std::filesystem::remove(path); }
    void print() {
        CredomaticVoucherPrinter printer(nullptr, ini, port);
        printer.print_voucher(voucher);
    }
    std::string page(std::size_t n) { return services::serialise(printed.pages.at(n)); }

    test::PrintContextScope scope;
    test::Printed printed;
    std::filesystem::path path = std::filesystem::temp_directory_path() / "qz_voucher_gui.ini";
    IniFile ini{path};
    qz::test::ScriptedPort port;
    services::terminals::Voucher voucher{"HOTEL",
                                         false,
                                         "************1111",
                                         "A71234",
                                         "000000123456",
                                         DateTime{Date(2026, 12, 8), "14:05:09"},
                                         "$",
                                         Decimal::parse("80.25")};
};

TEST_F(VoucherPrinterTest, BothCopiesGoInOneJobOnTheVoucherPrinter) {
    print();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(printed.doc, "Comprobante CREDOMATIC 000000123456");
    EXPECT_TRUE(printed.ended);
    ASSERT_EQ(printed.pages.size(), 2u);
    EXPECT_NE(page(0).find("\"***ORIGINAL***\""), std::string::npos);
    EXPECT_NE(page(1).find("\"***COPIA CLIENTE***\""), std::string::npos);
    for (std::size_t n : {0u, 1u}) {
        EXPECT_NE(page(n).find("\"Terminal ID:  CRD00417\""), std::string::npos);
        EXPECT_NE(page(n).find("\"MONTO/AMOUNT: $ 80.25\""), std::string::npos);
    }
}

TEST_F(VoucherPrinterTest, AVoucherPrinterNotNamedIsBadlyDefinedAndNothingPrints) {
    ini.set("PREDET_P", "HOTELCR", "");
    print();
    ini.set("PREDET_P", "HOTELCR", "Caja_Epson");
    ini.set("PREDET_P_CREDOMATIC", "HOTEL", " ");
    print();
    EXPECT_EQ(port.messages, (std::vector<std::string>{": Impresora de Comprobante mal definida",
                                                       ": Impresora de Comprobante mal definida"}));
    EXPECT_TRUE(printed.doc.empty());
}

TEST_F(VoucherPrinterTest, AnUnknownOrFailingPrinterIsAnErrorPrintingTheVoucher) {
    ini.set("PREDET_P", "HOTELCR", "Impresora_Borrada");
    print();
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0], ": Error imprimiendo Comprobante");
    EXPECT_TRUE(printed.doc.empty());

    ini.set("PREDET_P", "HOTELCR", "Caja_Epson");
    print_context().device_factory = [this](const services::PrinterFunction&) {
        return std::make_unique<FailingDevice>(printed);
    };
    port.messages.clear();
    print();
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(port.messages.back(), ": Error imprimiendo Comprobante");
    EXPECT_FALSE(printed.ended) << "a failed job is aborted, not ended";
}

TEST_F(VoucherPrinterTest, OnThePdfFilePrinterBothCopiesLandInOneFile) {
    print_context().printers = std::make_shared<QtPrinters>();
    print_context().device_factory = {};
    std::filesystem::path opened;
    print_context().open_file = [&](const std::filesystem::path& f) { opened = f; };
    ini.set("PREDET_P", "HOTELCR", kPdfFilePrinter);
    print();
    EXPECT_TRUE(port.messages.empty());
    EXPECT_EQ(opened, scope.temp / "Comprobante CREDOMATIC 000000123456.PDF");
    EXPECT_EQ(test::pdf_pages(opened), 2);
    // The void of the same purchase gets a file of its own: the purchase's stays.
    voucher.is_void = true;
    print();
    EXPECT_EQ(opened, scope.temp / "Comprobante CREDOMATIC ANULACION 000000123456.PDF");
    EXPECT_TRUE(std::filesystem::exists(scope.temp / "Comprobante CREDOMATIC 000000123456.PDF"));
}

}  // namespace
}  // namespace qz::gui
