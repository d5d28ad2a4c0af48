// The demonstration's workstation keys: written where the file lacks them, never over a
// workstation's own settings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "domain/cash/register_settings.h"
#include "domain/demo/demo_workstation.h"

namespace qz {
namespace {

TEST(DemoWorkstationTest, WritesOnlyTheMissingKeysAndKeepsTheWorkstationsOwn) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("qz_demo_ws_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto path = dir / "QUARTZEN.INI";
    {
        IniFile ini(path);
        ini.set("ESTACION_CREDIT", "HOTEL", "CAJA2");
        const auto written = domain::install_demo_workstation_settings(ini);
        EXPECT_EQ(ini.get("ESTACION_CREDIT", "HOTEL"), "CAJA2");
        EXPECT_EQ(ini.get("PAGO_ELECTRONICO", "MODO"), "ENTRENAMIENTO");
        EXPECT_EQ(ini.get("PREDET_P", "HOTELVO"), "Archivo PDF");
        EXPECT_EQ(ini.get("AUT_HCAJA", domain::cash::authorisation_key("HOTEL", "SPA1")), "1");
        EXPECT_EQ(written.size(), 7u);
    }
    IniFile again(path);
    EXPECT_TRUE(domain::install_demo_workstation_settings(again).empty());
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qz
