// Which printer a profile means at a given hour, and how printers are found by name parts.
#include <gtest/gtest.h>

#include <filesystem>

#include "print_fakes.h"
#include "services/print/page_list.h"

namespace qz::services {
namespace {

class PrinterProfiles : public ::testing::Test {
protected:
    PrinterProfiles()
        : dir(std::filesystem::temp_directory_path() / ("qz_predet_" + std::to_string(::getpid()))),
          ini((std::filesystem::create_directories(dir), dir / "QUARTZEN.INI")) {
        printers.names = {"Cocina_HP_LaserJet", "Barra_Epson_TM88", "Oficina_HP_DeskJet"};
        printers.def = "Oficina_HP_DeskJet";
    }
    ~PrinterProfiles() override { std::filesystem::remove_all(dir); }

    PrinterProfileKeys base() {
        PrinterProfileKeys k;
        k.printer = "Cocina_HP_LaserJet";
        k.station = "ST01";
        k.icf = "1";
        k.periods[0] = {true, "08:00", "12:00", "Barra_Epson_TM88", "ST02", "1", "", "", "", ""};
        k.periods[1] = {true, "11:00", "14:00:59", "Oficina_HP_DeskJet", "ST03", "0", "", "", "", ""};
        k.periods[2] = {false, "00:00", "23:59", "Nadie", "ST09", "1", "", "", "", ""};
        return k;
    }

    std::filesystem::path dir;
    IniFile ini;
    test::FakePrinters printers;
    PrinterFunction job;
};

TEST_F(PrinterProfiles, KeysRoundTripThroughTheSettingsFile) {
    write_profile_keys(ini, "SPA1", "C1", base());
    EXPECT_EQ(ini.get("PREDET_P", "SPA1C1HP2"), "Oficina_HP_DeskJet");
    EXPECT_EQ(ini.get("PREDET_P", "SPA1C1HF2"), "14:00");
    EXPECT_EQ(ini.get("PREDET_P", "SPA1C1HA3"), "0");
    IniFile again(ini.path());
    PrinterProfileKeys expected = base();
    expected.periods[1].end = "14:00";
    expected.periods[2].search = expected.periods[1].search = expected.periods[0].search = "";
    PrinterProfileKeys read = read_profile_keys(again, "SPA1", "C1");
    for (auto& s : read.periods) s.search = "";
    EXPECT_EQ(read, expected);
}

TEST_F(PrinterProfiles, ALaterActiveSlotWinsAndEndsAreIncluded) {
    write_profile_keys(ini, "SPA1", "C1", base());
    auto at = [&](const std::string& now, int mode = 0) {
        return SET_PREDET_INFO(ini, printers, "SPA1", "C1", job, now, mode);
    };
    EXPECT_EQ(at("07:59:00").result, 1);
    EXPECT_EQ(job.b_cSelPrinter, "Cocina_HP_LaserJet");
    at("08:00:00");
    EXPECT_EQ(job.b_cSelPrinter, "Barra_Epson_TM88");
    at("11:30:00");  // both periods hold the time: the second wins
    EXPECT_EQ(job.b_cSelPrinter, "Oficina_HP_DeskJet");
    at("14:00:30");  // only the first five characters of the end count
    EXPECT_EQ(job.b_cSelPrinter, "Oficina_HP_DeskJet");
    at("14:01:00");
    EXPECT_EQ(job.b_cSelPrinter, "Cocina_HP_LaserJet");
    EXPECT_EQ(job.T_Print, "PRINTER");

    job.b_cSelPrinter.clear();
    // Mode 1 with a station whose flag is off assigns nothing; mode 2 only names the station.
    EXPECT_EQ(at("12:30", 1).result, 0);
    EXPECT_EQ(job.b_cSelPrinter, "");
    EXPECT_EQ(at("09:00", 1).result, 1);
    EXPECT_EQ(job.b_cSelPrinter, "Barra_Epson_TM88");
    const PredetInfo station = at("12:30", 2);
    EXPECT_EQ(station.station, "ST03");
    EXPECT_EQ(station.result, 0);
}

TEST_F(PrinterProfiles, AssignByNameOrByParts) {
    EXPECT_TRUE(ASSIGNPRINTER(job, printers, "Barra_Epson_TM88"));
    EXPECT_FALSE(ASSIGNPRINTER(job, printers, "Barra"));
    EXPECT_EQ(job.b_cSelPrinter, "Barra");
    EXPECT_TRUE(ASSIGNPRINTER(job, printers, "", "1", "HP", "Desk"));
    EXPECT_EQ(job.b_cSelPrinter, "Oficina_HP_DeskJet");
    EXPECT_TRUE(ASSIGNPRINTER(job, printers, "", "1", "HP"));  // first in the platform's order
    EXPECT_EQ(job.b_cSelPrinter, "Cocina_HP_LaserJet");
    EXPECT_FALSE(ASSIGNPRINTER(job, printers, "", "1", "HP", "Epson"));
    EXPECT_EQ(job.b_cSelPrinter, "");
    printers.names = {std::string("Caja_Star\0", 10)};  // a terminated platform entry
    EXPECT_TRUE(ASSIGNPRINTER(job, printers, "", "1", "Star"));
    EXPECT_EQ(job.b_cSelPrinter, "Caja_Star");
}

TEST_F(PrinterProfiles, SearchProfilesAndTheLocalProfile) {
    PrinterProfileKeys k;
    k.search = "1";
    k.part1 = "Epson";
    write_profile_keys(ini, "SPA1", "BA", k);
    EXPECT_EQ(SET_PREDET_INFO(ini, printers, "SPA1", "BA", job, "10:00").result, 1);
    EXPECT_EQ(job.b_cSelPrinter, "Barra_Epson_TM88");
    EXPECT_EQ(SET_PREDET_INFO(ini, printers, "SPA1", "LC", job, "10:00").result, 1);
    EXPECT_EQ(job.b_cSelPrinter, "Oficina_HP_DeskJet");
}

TEST(PrintPageList, OnlyWholePagesOfThePreviewCount) {
    EXPECT_EQ(parse_page_list("2,x,9", 5), std::vector<int>{2});
    EXPECT_EQ(parse_page_list(" 3 , 1,3,0,-1,2.5,,5", 5), (std::vector<int>{3, 1, 5}));
    EXPECT_EQ(page_list_text({1, 4}), "1,4");
}

}  // namespace
}  // namespace qz::services
