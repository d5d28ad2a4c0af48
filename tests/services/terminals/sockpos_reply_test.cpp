// The second network's replies and the card settings: a reply that is not of the expected shape
// is never read as an approval, and only the last four digits of a card are ever shown.
#include "services/terminals/sockpos_reply.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "core/ini_file.h"
#include "services/terminals/card_service.h"

namespace qz::services::terminals {
namespace {

TEST(SockPosReply, ReadsTheFieldsOfAWellFormedReply) {
    const auto r = parse_sockpos_reply(
        "08; APROBADA ;CR000123;20260520;000000012345;A1B2C3;"
        "000777\r\n");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->code, "08");
    EXPECT_EQ(r->message, "APROBADA");
    EXPECT_EQ(r->reference, "000000012345");
    EXPECT_EQ(r->authorisation, "A1B2C3");
    EXPECT_EQ(r->trace, "000777");
    // A denial has the same shape with its numbers empty.
    EXPECT_TRUE(parse_sockpos_reply("51;FONDOS INSUFICIENTES;T;D;;;"));
}

TEST(SockPosReply, RefusesEveryReplyOfAnotherShape) {
    const char* bad[] = {
        "",                                // nothing came back
        "\r\n",                            //
        "00,APROBADA,T,D,REF,AUT,TRC",     // wrong separator
        "00;APROBADA;T;D;REF;AUT",         // a field short
        ";APROBADA;T;D;REF;AUT;TRC",       // no code
        "00000;APROBADA;T;D;REF;AUT;TRC",  // code too long
        "0 0;APROBADA;T;D;REF;AUT;TRC",    // code with a blank inside
        "00;APRO\x01"
        "BADA;T;D;REF;AUT;TRC",                   // control character
        "00;APROBADA;T;D;0000000000001;AUT;TRC",  // reference beyond what is kept
        "00;APROBADA;T;D;REF;AUT;1234567890123",  // trace beyond what is kept
    };
    for (const char* reply : bad) EXPECT_FALSE(parse_sockpos_reply(reply)) << reply;
    EXPECT_FALSE(parse_sockpos_reply(std::string_view("00;A\0B;T;D;R;A;T", 16)));
}

TEST(SockPosReply, ClosingLinesShowAmountsInUnitsAndCountsWhole) {
    const auto lines =
        closing_lines("00;CIERRE EXITOSO;CR000123;000123;;20260520;;;;;;123456789;2550;1234;0");
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 8u);
    EXPECT_EQ((*lines)[0].second, "00");
    EXPECT_EQ((*lines)[1].second, "CIERRE EXITOSO");
    EXPECT_EQ((*lines)[2].second, "000123");
    EXPECT_EQ((*lines)[3].second, "20260520");
    EXPECT_EQ((*lines)[4].second, "1,234,567.89");
    EXPECT_EQ((*lines)[5].second, "25.50");
    EXPECT_EQ((*lines)[6].second, "1,234");
    EXPECT_EQ((*lines)[7].second, "0");
    // Totals that are not whole numbers, or missing, are not shown as zero.
    EXPECT_FALSE(closing_lines("00;OK;T;L;;F;;;;;;12.5;0;1;0"));
    EXPECT_FALSE(closing_lines("00;OK;T;L;;F;;;;;;-5;0;1;0"));
    EXPECT_FALSE(closing_lines("00;OK;T;L;;F;;;;;;100;0;1"));
    EXPECT_FALSE(closing_lines("00;OK;T;L;;F;;;;;;9999999999999999999;0;1;0"));
}

TEST(CardSettings, MaskingLeavesOnlyTheLastFourCharacters) {
    EXPECT_EQ(mask_card("4111111111111111"), "************1111");
    EXPECT_EQ(mask_card(" 5500000000000004 "), "************0004");
    EXPECT_EQ(mask_card("************1111"), "************1111");
    EXPECT_EQ(mask_card("1234"), "1234");
    EXPECT_EQ(mask_card(""), "");
}

TEST(CardSettings, StationAndLibrariesComeFromTheWorkstationSettings) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("qz_card_ini_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    IniFile ini(dir / "QUARTZEN.INI");
    EXPECT_EQ(station_code(ini, "HOTEL"), std::string(15, ' '));
    ini.set("ESTACION_CREDIT", "HOTEL", "CAJA1");
    EXPECT_EQ(station_code(ini, "HOTEL "), "CAJA1" + std::string(10, ' '));

    CardLibraries real = card_libraries(ini, "/opt/qz");
    EXPECT_EQ(real.provider1, "libCallPosWareClient.so");
    EXPECT_EQ(real.provider2, "libSockPos.so");
    ini.set("PAGO_ELECTRONICO", "MODO", "entrenamiento");
    CardLibraries sim = card_libraries(ini, "/opt/qz");
    EXPECT_EQ(sim.provider1, "/opt/qz/libCallPosWareClient-sim.so");
    EXPECT_EQ(sim.provider2, "/opt/qz/libSockPos-sim.so");
    // An empty override is no override.
    ini.set("PAGO_ELECTRONICO", "LIB1", "");
    ini.set("PAGO_ELECTRONICO", "LIB2", "/usr/lib/otra.so");
    sim = card_libraries(ini, "/opt/qz");
    EXPECT_EQ(sim.provider1, "/opt/qz/libCallPosWareClient-sim.so");
    EXPECT_EQ(sim.provider2, "/usr/lib/otra.so");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace qz::services::terminals
