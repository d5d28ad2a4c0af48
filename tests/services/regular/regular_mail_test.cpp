// Mailing the documents of a regular-invoice run: one notification queued per document whose
// customer branch has a valid address (the named branch, or the principal one), none for the
// others.
#include "services/regular/regular_mail.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/demo/demo_data.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::services {
namespace {

struct RegularMailTest : ::testing::Test {
    test::TestInstall inst{test::Engine::SQLite};
    std::unique_ptr<data::Db> db = inst.open();
    domain::AppSettings s;
    MailPaths paths{inst.home()};
    void SetUp() override {
        std::filesystem::create_directories(paths.html());
        s.XEMAILADDR = "spa@hotel.test";
        s.XEMAILNAME = "Spa";
        inst.clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        domain::install_demo_data(*db);
    }
    void branch_email(const std::string& customer, const std::string& branch,
                      const std::string& email) {
        test::edit_record(*db, "DET_CLIE", "DET_CLIE7",
                          data::order_key("DET_CLIE", "DET_CLIE7", {"HOTEL", customer, branch}),
                          [&](data::WDBTable& t) { t.FieldPut("EMAIL", email); });
    }
    std::vector<std::string> queued_to() {
        std::vector<std::string> out;
        data::Table t = data::USE(*db, "E_MSGS");
        for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(trim(t->str("TO_USER")));
        return out;
    }
};

domain::regular::GeneratedDocument doc(const char* number, const char* customer,
                                       const char* branch) {
    domain::regular::GeneratedDocument d;
    d.number = number;
    d.customer = customer;
    d.branch = branch;
    d.currency = "CO";
    d.period = "MAYO DE 2026";
    d.date = Date(2026, 5, 20);
    d.amount = Decimal::parse("45000");
    return d;
}

TEST_F(RegularMailTest, QueuesOneNotificationPerDocumentWithAnAddress) {
    branch_email("3101123456", "01", "agencia@pura.test");
    branch_email("3101123456", "02", "liberia@pura.test");
    branch_email("3102654321", "01", "sin correo");
    const auto before = queued_to().size();
    const long n = queue_regular_mail(*db, s, paths, inst.port, "HOTEL",
                                      {doc("F-1", "3101123456", ""), doc("F-2", "3101123456", "02"),
                                       doc("F-3", "3102654321", "")});
    EXPECT_EQ(n, 2);
    const auto to = queued_to();
    ASSERT_EQ(to.size(), before + 2);
    EXPECT_EQ(to[before], "agencia@pura.test");
    EXPECT_EQ(to[before + 1], "liberia@pura.test");
}

}  // namespace
}  // namespace qz::services
