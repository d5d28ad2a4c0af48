// On a server every statement is a round trip over the network: the number of a posting must
// not cost more than it needs.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/pg_connection.h"
#include "data/table_ops.h"
#include "domain/ledger/serials.h"
#include "support/test_db.h"

using namespace qz;
using qz::test::Engine;

TEST(SerialRoundTrips, ANextNumberCostsAtMostFiveRoundTrips) {
    if (!test::engine_available(Engine::PostgreSQL)) GTEST_SKIP() << "PostgreSQL not configured";
    test::TestInstall inst(Engine::PostgreSQL);
    auto db = inst.open();
    auto series = data::USE(*db, "SERIALES", "SERIALES");
    data::ADD_NEW_REC(*series);
    series->FieldPut("NEGOCIO", std::string("HOTEL"));
    series->FieldPut("CODIGO", std::string("FAC"));
    data::UNLOCK_NEW_REC(*series);
    EXPECT_EQ(trim(domain::GET_NXSERIAL(*db, "HOTEL", "FAC", series.get())), "1");

    auto& server = dynamic_cast<data::PgConnection&>(db->engine());
    const long before = server.round_trips;
    EXPECT_EQ(trim(domain::GET_NXSERIAL(*db, "HOTEL", "FAC", series.get())), "2");
    EXPECT_LE(server.round_trips - before, 5);
}
