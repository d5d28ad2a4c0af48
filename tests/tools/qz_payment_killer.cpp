// Processes a payment of the demonstration's agency on the given documents and, with every row
// of it written but before it commits, waits to be killed:
// qz_payment_killer HOME SCHEMA AMOUNT DOCUMENT...
#include <chrono>
#include <thread>

#include "domain/ledger/payment_draft.h"
#include "domain/ledger/payment_posting.h"
#include "tool_common.h"

namespace {

// Stops at the first COMMIT of a transaction, when the payment is written whole and not yet
// committed.
class StallAtCommit : public qz::data::ConnectionDecorator {
public:
    StallAtCommit(std::unique_ptr<qz::data::Connection> inner, std::string home)
        : ConnectionDecorator(std::move(inner)), m_home(std::move(home)) {}
    void commit() override {
        qz::tool::signal_ready(m_home, "paying");
        std::this_thread::sleep_for(std::chrono::seconds(60));
        ConnectionDecorator::commit();
    }

private:
    std::string m_home;
};

class YesPort : public qz::ConsoleUserPort {
public:
    bool confirm(const std::string&, const std::string&) override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) return 2;
    YesPort port;
    qz::Clock clock;
    clock.freeze(qz::DateTime{qz::Date(2026, 5, 20), "09:00:00"});
    qz::data::DbOptions o;
    o.home = argv[1];
    o.pg_schema = argv[2];
    o.ads = qz::data::read_ads_def(o.home);
    o.port = &port;
    o.clock = &clock;
    const std::string home = argv[1];
    o.wrap_connection = [home](std::unique_ptr<qz::data::Connection> c) {
        return std::make_unique<StallAtCommit>(std::move(c), home);
    };
    auto db = qz::data::Db::open(o);
    qz::domain::PaymentDraft d(*db, port, "HOTEL");
    d.set_register("CXC1");
    d.set_pass_code("cobros");
    d.set_clerk("0001");
    d.set_block("01");
    if (!d.set_customer("3101123456")) return 1;
    d.set_amount(qz::Decimal::parse(argv[3]));
    for (int i = 4; i < argc; ++i)
        if (!d.PASADOC(argv[i])) return 1;
    d.adjust_amount();
    while (!d.tenders().empty()) d.remove_tender(0);
    qz::domain::PaymentTender cash;
    cash.method = "EF";
    cash.amount = d.header().amount;
    if (!d.add_tender(cash)) return 1;
    qz::domain::PROCESA_ABONO(*db, port, d);
    return 3;  // reached only when the payment did not stall
}
