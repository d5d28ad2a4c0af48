// A number becomes a code of 15 characters: a longer one is cut by characters, never inside a
// letter, or the code stored would not be text any more.
#include <gtest/gtest.h>

#include "domain/ledger/serials.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using qz::test::Engine;

TEST(SerialWidth, ANumberLongerThanItsCodeIsCutByCharacters) {
    test::TestInstall inst(Engine::SQLite);
    auto db = inst.open();
    test::add_record(*db, "SERIALES",
                     {{"NEGOCIO", std::string("HOTEL")},
                      {"CODIGO", std::string("SPA")},
                      {"PREFIJO", std::string("AAÑÑÑÑÑÑÑ")},
                      {"INDENT", Decimal(7)}});
    EXPECT_EQ(domain::GET_CURRENTSERIAL(*db, "HOTEL", "SPA"), "AAÑÑÑÑÑÑÑ000000");
    EXPECT_EQ(domain::GET_NXSERIAL(*db, "HOTEL", "SPA"), "AAÑÑÑÑÑÑÑ000000");
}
