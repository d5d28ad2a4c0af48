// The terminals' closings: the station's terminals of a network, the first network's settlement
// of a terminal that must still be there, the second network's report and settlement.
#include "services/terminals/card_closings.h"

#include "card_fixture.h"

namespace qz::test {
namespace {

using services::terminals::CardClosings;
using services::terminals::station_terminals;

class CardClosingsTest : public CardFixture {};

TEST_F(CardClosingsTest, TheStationSeesOnlyItsOwnTerminalsOfTheNetwork) {
    add_terminal("CAJA1", "01", "US", "Datáfono dólares", "SPA QUARTZEN", "100200301", "T0002");
    add_terminal("CAJA2", "01", "CO", "Datáfono caja 2", "SPA QUARTZEN", "100200302", "T0003");
    const auto first = station_terminals(*db, kCardBiz, "CAJA1", "01");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].currency, "CO");
    EXPECT_EQ(first[0].param3, "T0001");
    EXPECT_EQ(first[1].description, "Datáfono dólares");
    ASSERT_EQ(station_terminals(*db, kCardBiz, "CAJA1", "02").size(), 1u);
    EXPECT_TRUE(station_terminals(*db, kCardBiz, "CAJA9", "01").empty());
}

TEST_F(CardClosingsTest, FirstNetworkSettlesATerminalFoundAgain) {
    CardClosings closings(*db, inst->port, libraries);
    auto terminal = station_terminals(*db, kCardBiz, "CAJA1", "01").at(0);
    EXPECT_EQ(closings.CIE_POSWARE(terminal), 0);
    // Changed on another station since the list was shown.
    terminal.param3 = "T9999";
    EXPECT_FALSE(closings.CIE_POSWARE(terminal));
    EXPECT_TRUE(told("Terminal no encontrada en Base de Datos de Terminales"));
    // The second network's terminal is not the first's.
    EXPECT_FALSE(closings.CIE_POSWARE(station_terminals(*db, kCardBiz, "CAJA1", "02").at(0)));

    CardClosings without(*db, inst->port, {"/nonexistent/lib.so", "/nonexistent/lib.so"});
    inst->port.messages.clear();
    EXPECT_FALSE(without.CIE_POSWARE(station_terminals(*db, kCardBiz, "CAJA1", "01").at(0)));
    EXPECT_TRUE(told("Library not found!!!!!"));
}

TEST_F(CardClosingsTest, SecondNetworkReportAndSettlementShowTheReplysTotals) {
    CardClosings closings(*db, inst->port, libraries);
    const auto terminal = station_terminals(*db, kCardBiz, "CAJA1", "02").at(0);
    const auto report = closings.credomatic(terminal, false);
    ASSERT_TRUE(report);
    EXPECT_EQ((*report)[1].second, "PRE-CIERRE");
    const auto settled = closings.credomatic(terminal, true);
    ASSERT_TRUE(settled);
    EXPECT_EQ((*settled)[0].second, "00");
    EXPECT_EQ((*settled)[1].second, "CIERRE EXITOSO");
    EXPECT_EQ((*settled)[4].second, "12,500.00");
    EXPECT_EQ((*settled)[6].second, "7");

    CardClosings without(*db, inst->port, {"/nonexistent/lib.so", "/nonexistent/lib.so"});
    EXPECT_FALSE(without.credomatic(terminal, true));
    EXPECT_TRUE(told("Library SOCKPOS.DLL not loaded..."));
    // Closings are not purchases or voids: nothing is logged.
    EXPECT_TRUE(logged().empty());
}

}  // namespace
}  // namespace qz::test
