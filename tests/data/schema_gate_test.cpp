#include <gtest/gtest.h>

#include <cstdlib>

#include "data/install.h"
#include "data/pg_connection.h"
#include "data/schema.h"
#include "data/sqlite_connection.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using qz::test::Engine;

namespace {

// Through the engine's own connection: the session would refuse the database.
void set_stored_schema(test::TestInstall& inst, int version) {
    std::unique_ptr<Connection> c;
    if (inst.engine() == Engine::SQLite)
        c = std::make_unique<SqliteConnection>(sqlite_path(inst.home()));
    else
        c = std::make_unique<PgConnection>(inst.conninfo(), inst.schema());
    auto st = c->prepare("UPDATE qz_meta SET value = ? WHERE name = 'schema'");
    st->bind(1, std::to_string(version));
    st->step();
}

std::string open_failure(test::TestInstall& inst) {
    try {
        inst.open();
    } catch (const DbError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

class SchemaGateTest : public ::testing::TestWithParam<Engine> {};

TEST_P(SchemaGateTest, OnlyAProgramOfTheDatabasesSchemaOpensIt) {
    if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
    test::TestInstall inst(GetParam());
    const std::string mine = std::to_string(kSchemaVersion);
    const std::string newer = std::to_string(kSchemaVersion + 1);

    set_stored_schema(inst, kSchemaVersion + 1);
    std::string why = open_failure(inst);
    EXPECT_NE(why.find("versión más reciente"), std::string::npos) << why;
    EXPECT_NE(why.find(newer), std::string::npos) << why;
    EXPECT_NE(why.find(mine), std::string::npos) << why;
    // An older program's init must not "migrate" a newer database back.
    EXPECT_THROW(init_installation(inst.home(), inst.schema()), DbError);

    set_stored_schema(inst, kSchemaVersion - 1);
    why = open_failure(inst);
    EXPECT_NE(why.find("quartzen init"), std::string::npos) << why;
    init_installation(inst.home(), inst.schema());
    EXPECT_NO_THROW(inst.open());
}

INSTANTIATE_TEST_SUITE_P(Engines, SchemaGateTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

// Fails when a table's fields or orders change without a new schema number: a workstation of
// the previous version would then open the database and misread it.
TEST(SchemaGate, TheCatalogueIsTheOneRecordedForItsSchemaNumber) {
    EXPECT_EQ(kSchemaVersion, 8);
    EXPECT_EQ(catalogue_fingerprint(Catalogue::instance()), "ab687123144e554e")
        << "the catalogue changed: raise kSchemaVersion and record the new fingerprint here";
}
