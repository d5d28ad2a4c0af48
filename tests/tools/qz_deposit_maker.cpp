// Saves guarantee deposits at the demonstration hotel's front-desk register REC1, which the test
// has opened and authorised in the installation's QUARTZEN.INI:
// qz_deposit_maker HOME SCHEMA save COUNT AMOUNT   saves COUNT deposits of AMOUNT colones
// qz_deposit_maker HOME SCHEMA stall 1 AMOUNT      writes one and waits to be killed before it
//                                                  commits
// The deposits are of concept 05, a bank-book deposit the test defines without reservations.
#include <chrono>
#include <thread>

#include "core/ini_file.h"
#include "domain/deposits/deposit_save.h"
#include "tool_common.h"

namespace {

// Stops at the commit of the transaction that wrote a deposit's header, when the deposit is
// written whole and not yet committed.
class StallAtCommit : public qz::data::ConnectionDecorator {
public:
    StallAtCommit(std::unique_ptr<qz::data::Connection> inner, std::string home)
        : ConnectionDecorator(std::move(inner)), m_home(std::move(home)) {}
    std::unique_ptr<qz::data::Statement> prepare(const std::string& sql) override {
        if (sql.find("INSERT") != std::string::npos && sql.find("ENC_HLIB") != std::string::npos)
            m_header = true;
        return ConnectionDecorator::prepare(sql);
    }
    void commit() override {
        if (!m_header) return ConnectionDecorator::commit();
        qz::tool::signal_ready(m_home, "written");
        std::this_thread::sleep_for(std::chrono::seconds(60));
        ConnectionDecorator::commit();
    }

private:
    std::string m_home;
    bool m_header = false;
};

class YesPort : public qz::ConsoleUserPort {
public:
    bool confirm(const std::string&, const std::string&) override { return true; }
};

qz::domain::DepositDraft deposit(const std::string& amount) {
    qz::domain::DepositDraft d;
    d.made_by = "AGEN";
    d.concept_code = "05";
    d.currency = "CO";
    d.reservation_rate = qz::Decimal(500);
    d.accounting_rate = qz::Decimal(1);
    d.amount = qz::Decimal::parse(amount);
    d.date = qz::Date(2026, 5, 20);
    d.number = "TRF";
    d.name = "Agencia";
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) return 2;
    YesPort port;
    qz::Clock clock;
    clock.freeze(qz::DateTime{qz::Date(2026, 5, 20), "09:00:00"});
    const std::string home = argv[1], mode = argv[3];
    qz::data::DbOptions o;
    o.home = home;
    o.pg_schema = argv[2];
    o.ads = qz::data::read_ads_def(o.home);
    o.port = &port;
    o.clock = &clock;
    if (mode == "stall")
        o.wrap_connection = [home](std::unique_ptr<qz::data::Connection> c) {
            return std::make_unique<StallAtCommit>(std::move(c), home);
        };
    auto db = qz::data::Db::open(o);
    qz::IniFile ini(home + "/QUARTZEN.INI");
    qz::domain::Session s;
    s.XU_COMP = "HOTEL";
    s.XUSER_ABREVIA = "SUP";
    s.registers.XH_CAJAS = qz::domain::RegisterState{"Caja Recepción", "", 1, "REC1", "", 2};
    qz::domain::pos::UnconfiguredCardTerminal terminal(port);
    for (int i = 0; i < std::stoi(argv[4]); ++i)
        if (!qz::domain::PROCESAR(*db, port, ini, s, terminal, deposit(argv[5])).saved) return 1;
    return mode == "stall" ? 3 : 0;
}
