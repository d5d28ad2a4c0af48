// "Listados de Clientes": the order, the state and the classification chosen decide who is
// listed; each row carries its principal branch's telephone and limit.
#include <gtest/gtest.h>

#include "customer_fixture.h"
#include "domain/customers/customer_listing.h"

using namespace qz;
using namespace qz::domain::customers;
using qz::test::Engine;
using qz::test::kBiz;

namespace {

class ListingTest : public test::CustomerTest {
protected:
    void add(const std::string& code, const std::string& name, const std::string& clas1,
             bool active) {
        auto f = new_form(code, name);
        f.customer.clas1 = clas1;
        f.customer.active = active;
        if (!active) f.customer.reason = kMorosos;
        f.branches[0].branch.phone = "2222-" + code;
        f.branches[0].branch.limit = Decimal(1000);
        f.branches.push_back(test::branch_row("09", false));
        f.branches.back().branch.phone = "otra";
        ASSERT_TRUE(save(f)) << said();
    }
    std::vector<std::string> listed(ListingOrder order, ListingState state,
                                    const std::string& clas1 = "") {
        std::vector<std::string> out;
        for (const auto& r : customer_listing(*db, kBiz, {order, state, clas1}))
            out.push_back(r.code);
        return out;
    }
};

TEST_P(ListingTest, OrderStateAndClassificationChooseTheRows) {
    put("CLAS_CLI", {{"CODIGO", std::string("01")}, {"DESCRIP", std::string("Regular")}});
    add("A1", "Zulema Mora", "01", true);
    add("B2", "Ana Solís", "02", true);
    add("C3", "Carlos Rojas", "01", false);
    using V = std::vector<std::string>;
    EXPECT_EQ(listed(ListingOrder::Code, ListingState::All), (V{"A1", "B2", "C3"}));
    EXPECT_EQ(listed(ListingOrder::Name, ListingState::All), (V{"B2", "C3", "A1"}));
    EXPECT_EQ(listed(ListingOrder::Code, ListingState::Active), (V{"A1", "B2"}));
    EXPECT_EQ(listed(ListingOrder::Code, ListingState::Inactive), (V{"C3"}));
    EXPECT_EQ(listed(ListingOrder::Name, ListingState::All, "01"), (V{"C3", "A1"}));
    const auto rows = customer_listing(*db, kBiz, {ListingOrder::Code, ListingState::All, ""});
    EXPECT_EQ(rows[0].phone, "2222-A1") << "the principal branch's";
    EXPECT_EQ(rows[0].classification, "01 Regular");
    EXPECT_EQ(rows[0].limit, Decimal(1000));
    EXPECT_EQ(rows[2].state, "Inactivo");
}

INSTANTIATE_TEST_SUITE_P(Engines, ListingTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
