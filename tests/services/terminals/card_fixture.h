#pragma once
// The card service over the demonstration business with the real training libraries: this
// workstation is station CAJA1, with a terminal of each network in the business's currency CO.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/ini_file.h"
#include "services/terminals/card_closings.h"
#include "services/terminals/card_service.h"
#include "support/test_db.h"

namespace qz::test {

// Where the build put the networks' simulators.
std::filesystem::path card_sim_dir();

inline constexpr const char* kCardBiz = "HOTEL";
inline constexpr const char* kVisa = "4111111111111111";

struct ScriptedReader : services::terminals::CardReader {
    std::optional<std::string> number = kVisa;  // nothing: the cashier cancels
    int asked = 0;
    std::string symbol;
    Decimal amount;
    std::optional<services::terminals::CardReading> READ_TCCARD(const std::string& s,
                                                                const Decimal& a) override;
};

struct ScriptedPrinter : services::terminals::VoucherPrinter {
    std::vector<services::terminals::Voucher> printed;
    bool fail = false;
    void print_voucher(const services::terminals::Voucher& v) override;
};

// A LOG_P_EL row as the tests look at it.
struct LoggedAttempt {
    int provider = 0, operation = 0;
    std::string card, reference, authorisation, trace, text, info_user;
};

class CardFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    domain::pos::CardAnswer charge(int provider, const char* amount,
                                   const std::string& currency = "CO");
    domain::pos::CardAnswer void_of(int provider, const domain::pos::CardAnswer& purchase,
                                    const char* amount);
    std::vector<LoggedAttempt> logged();
    // Every stored field of every LOG_P_EL row, one text per row.
    std::vector<std::string> log_texts();
    void add_terminal(const std::string& station, const std::string& bank,
                      const std::string& currency, const std::string& description,
                      const std::string& p1, const std::string& p2 = "",
                      const std::string& p3 = "");
    bool told(const std::string& text) const;

    std::unique_ptr<TestInstall> inst;
    std::unique_ptr<data::Db> db;
    std::filesystem::path ini_path;
    std::unique_ptr<IniFile> ini;
    services::terminals::CardLibraries libraries;
    ScriptedReader reader;
    ScriptedPrinter printer;
    std::unique_ptr<services::terminals::CardService> service;
};

}  // namespace qz::test
