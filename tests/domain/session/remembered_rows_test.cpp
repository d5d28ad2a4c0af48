// Rows read by their full key are remembered inside a memo or a transaction, and never outlive
// what could change them: a write to the table, the start of a transaction, the end of the memo.
#include <gtest/gtest.h>

#include "core/text.h"
#include "data/transaction.h"
#include "domain/demo/demo_data.h"
#include "domain/session/master_rows.h"
#include "support/test_db.h"

using namespace qz;

namespace {

const std::string kKey = data::order_key("DEF_ART", "DEF_ART", {"HOTEL", "MAS001"});

std::string read_name(data::Db& db) {
    return domain::read_keyed_row<std::string>(
               db, "DEF_ART", "DEF_ART", kKey,
               [](const data::WDBTable& t) { return trim(t.str("DESCRIP")); })
        .value_or("");
}

// Renames the article through a handle of `db`, as any writer of the table does.
void rename(data::Db& db, const std::string& name) {
    domain::write_keyed_row(db, "DEF_ART", "DEF_ART", {std::string("HOTEL"), std::string("MAS001")},
                            false, [&](data::WDBTable& t) { t.FieldPut("DESCRIP", name); });
}

}  // namespace

TEST(RememberedRows, AMemoKeepsARowUntilItsTableIsWrittenOrATransactionStarts) {
    test::TestInstall inst(test::Engine::SQLite);
    auto db = inst.open();
    auto other = inst.open();  // another workstation
    domain::install_demo_data(*db);
    const std::string first = read_name(*db);
    ASSERT_FALSE(first.empty());
    {
        data::Db::RowMemo memo(*db);
        EXPECT_EQ(read_name(*db), first);
        rename(*other, "Otro nombre");
        EXPECT_EQ(read_name(*db), first) << "remembered within the memo";
        {
            // What a transaction reads under its locks is never an older copy.
            data::Transaction tx(*db);
            EXPECT_EQ(read_name(*db), "Otro nombre");
            tx.commit();
        }
        rename(*db, "Tercer nombre");
        EXPECT_EQ(read_name(*db), "Tercer nombre") << "a write forgets the table's rows";
        rename(*other, "Cuarto nombre");
        EXPECT_EQ(read_name(*db), "Tercer nombre");
    }
    EXPECT_EQ(read_name(*db), "Cuarto nombre") << "nothing is remembered outside a memo";
}
