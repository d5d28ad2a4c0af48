// Saves customer C1 of business HOTEL under the code C9 and, once a few hundred rows have been
// re-coded, waits to be killed in the middle of the save: qz_customer_recoder HOME SCHEMA
#include <chrono>
#include <thread>

#include "domain/customers/customer_save.h"
#include "tool_common.h"

namespace {

class StallingWait : public qz::WaitWindow {
public:
    explicit StallingWait(std::string home) : m_home(std::move(home)) {}
    void put_text(const std::string&) override {}
    void progress(long done, long) override {
        if (done < 300) return;
        qz::tool::signal_ready(m_home, "recoding");
        std::this_thread::sleep_for(std::chrono::seconds(60));
    }
    bool cancelled() override { return false; }

private:
    std::string m_home;
};

class StallingPort : public qz::ConsoleUserPort {
public:
    explicit StallingPort(std::string home) : m_home(std::move(home)) {}
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::unique_ptr<qz::WaitWindow> wait(const std::string&) override {
        return std::make_unique<StallingWait>(m_home);
    }

private:
    std::string m_home;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    StallingPort port(argv[1]);
    qz::Clock clock;
    auto db = qz::tool::open_db(argv, port, clock);
    auto form = qz::domain::customers::customer_form(*db, "HOTEL", "C1");
    if (!form) return 1;
    form->customer.code = "C9";
    qz::domain::customers::save_customer(*db, port, "HOTEL", *form, {"ADM", {}});
    return 3;  // reached only when the save did not stall
}
