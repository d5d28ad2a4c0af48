#include "domain/session/pass_code.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "domain/session/session_fixture.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

// argon2id takes about 50 ms a run: each case below hashes once or twice at most.

TEST(PassCode, RuleSaysHowCaseAndWidthCountOnBothSides) {
    EXPECT_EQ(normalise_pass_code("caja2026"), "CAJA2026  ");
    EXPECT_TRUE(plain_pass_code_matches("CAJA2026", "caja2026"));  // an old lower-case value
    EXPECT_TRUE(plain_pass_code_matches("CAJA2026XYZ", "CAJA2026XY"));
    EXPECT_FALSE(plain_pass_code_matches(" CAJA2026", "CAJA2026"));
    EXPECT_FALSE(plain_pass_code_matches("caja2026", "CAJA2026", {.upper_case = false}));
    EXPECT_TRUE(plain_pass_code_matches("MESA1", "MESA9", {.width = 4}));
}

TEST(PassCode, HashedCodeRoundTripsByItsRule) {
    const std::string h = hash_pass_code("caja2026");
    EXPECT_LE(h.size(), static_cast<size_t>(kPassCodeWidth));
    // Read back from a C field, blank-padded to its width.
    const PassCodeCheck c = check_pass_code("CAJA2026  ", h + std::string(30, ' '));
    EXPECT_TRUE(c.matches && c.rehashed.empty());
    EXPECT_FALSE(pass_code_matches("CAJA2027", h));
    const std::string exact = hash_pass_code("Caja", {.upper_case = false});
    EXPECT_FALSE(verify_pass_code("CAJA", exact, {.upper_case = false}));
}

TEST(PassCode, LegacyPlainCodeIsRehashedOnceThenVerified) {
    EXPECT_EQ(check_pass_code("CAJA2027", "CAJA2026").rehashed, "");
    const PassCodeCheck first = check_pass_code("caja2026", "CAJA2026");
    ASSERT_TRUE(first.matches && is_pass_code_hash(first.rehashed));
    const PassCodeCheck second = check_pass_code("CAJA2026", first.rehashed);
    EXPECT_TRUE(second.matches && second.rehashed.empty());
}

TEST(PassCode, LookupByCodeAloneTellsNoneOneAndTwo) {
    const std::vector<std::string> waiters{hash_pass_code("ANA"), "LUIS", "ana", ""};
    EXPECT_TRUE(find_by_pass_code("PEDRO", waiters).matches.empty());
    const PassCodeLookup luis = find_by_pass_code("luis", waiters);
    ASSERT_TRUE(luis.found());
    EXPECT_EQ(luis.matches.front(), 1u);
    EXPECT_TRUE(verify_pass_code("LUIS", luis.rehashed));
    // A hashed and a plain record share the code: nobody is identified, nothing is hashed.
    const PassCodeLookup ana = find_by_pass_code("ANA", waiters);
    EXPECT_TRUE(ana.ambiguous() && !ana.found());
    EXPECT_EQ(ana.matches, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(ana.rehashed, "");
}

TEST(PassCode, BlankCodesAsTheLoginTreatsThem) {
    // A blank stored code is no code: only a blank typed one matches it, and it stays blank.
    const PassCodeCheck blank = check_pass_code("", "          ");
    EXPECT_TRUE(blank.matches && blank.rehashed.empty());
    EXPECT_FALSE(pass_code_matches("X", ""));
    EXPECT_FALSE(verify_pass_code("", ""));
    EXPECT_TRUE(verify_pass_code("   ", hash_pass_code("")));
}

TEST(PassCode, MalformedHashMatchesNothingNotEvenItself) {
    for (const std::string& bad :
         {std::string("$argon2id$v=19$basura"), "$argon2id$" + std::string(200, 'A')}) {
        EXPECT_FALSE(check_pass_code(bad, bad).matches) << bad;
        EXPECT_TRUE(find_by_pass_code(bad, {bad}).matches.empty()) << bad;
    }
}

class PassCodeFieldTest : public test::SessionFixture {
protected:
    bool check(const std::string& typed) {
        bool ok = false;
        edit_user("CAJERO",
                  [&](data::WDBTable& t) { ok = check_pass_code_field(t, "PWD_HASH", typed); });
        return ok;
    }
    std::string stored() { return user("CAJERO")->str("PWD_HASH"); }
};

TEST_P(PassCodeFieldTest, LegacyValueIsStoredHashedByTheCheckThatAcceptsIt) {
    edit_user("CAJERO", [](data::WDBTable& t) { t.FieldPut("PWD_HASH", std::string("MESA1")); });
    EXPECT_FALSE(check("MESA2"));
    EXPECT_EQ(stored(), "MESA1");
    EXPECT_TRUE(check("mesa1"));
    const std::string hash = stored();
    ASSERT_TRUE(is_pass_code_hash(hash));
    EXPECT_TRUE(check("MESA1"));
    EXPECT_EQ(stored(), hash);

    edit_user("CAJERO", [](data::WDBTable& t) { put_pass_code(t, "PWD_HASH", ""); });
    EXPECT_EQ(stored(), "");
    // A field that would cut the hash short is refused before anything is written.
    edit_user("CAJERO", [](data::WDBTable& t) {
        EXPECT_THROW(check_pass_code_field(t, "PASSWORD", ""), std::invalid_argument);
        EXPECT_THROW(put_pass_code(t, "CODIGO", "MESA1"), std::invalid_argument);
    });
}

INSTANTIATE_TEST_SUITE_P(PassCode, PassCodeFieldTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);
