// Article tickets on fake printers: one job per whole unit on the business's ticket printer
// profile, each page numbered (k) with its own control number, valid until the next day, and
// the first ticket's page as its golden file.
#include "gui/pos/tenders/article_ticket_print.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "core/ini_file.h"
#include "domain/pos/article_tickets.h"
#include "services/print/print_fakes.h"
#include "services/print/print_ops.h"
#include "support/golden.h"
#include "support/record_edit.h"
#include "support/test_db.h"

namespace qz::gui {
namespace {

using services::PrinterFunction;

struct Printers : services::PrinterPort {
    std::vector<std::string> installed() const override { return {"Recepcion_HP", "Ticket_Star"}; }
    std::string default_printer() const override { return "Recepcion_HP"; }
};

struct Job {
    std::string name, printer;
    std::string pages;
};

class ArticleTicketTest : public ::testing::Test {
protected:
    void SetUp() override {
        inst.clock.freeze(DateTime{Date(2026, 12, 8), "14:05:09"});
        db = inst.open();
        test::add_record(*db, "F_FAC",
                         {{"NEGOCIO", std::string("HOTEL")}, {"IMP_T", std::string("TQ")}});
        test::add_record(*db, "PREDET_P",
                         {{"NEGOCIO", std::string("HOTEL")},
                          {"CODIGO", std::string("TQ")},
                          {"DESCRIP", std::string("Tiquetes")}});
        ini.set("PREDET_P", "HOTELTQ", "Ticket_Star");
    }
    long print(const char* quantity) {
        DocumentPrinter p{*db,
                          inst.port,
                          ini,
                          printers,
                          "14:05:09",
                          [this](PrinterFunction& j, const std::string& name) {
                              jobs.push_back({name, j.b_cSelPrinter, ""});
                              j.device_factory = [this](const PrinterFunction&) {
                                  return std::make_unique<services::test::FakeDevice>(device, 1);
                              };
                              j.sleep = [](int) {};
                              return services::START_DOC(j, name, false);
                          },
                          [this](PrinterFunction& j) {
                              services::RESETPRINT(j, false);
                              for (const auto& page : device.pages)
                                  jobs.back().pages += services::serialise(page);
                              device.pages.clear();
                          },
                          {}};
        ArticleTicketRequest r{
            "HOTEL",      Decimal::parse(quantity), "ENT-CIRC", "Entrada Circuito Hidrotermal",
            "FAC-000777", Date(2026, 12, 8),        "14:05:09"};
        return P_TIQUETES(p, r);
    }

    test::TestInstall inst{test::Engine::SQLite};
    std::unique_ptr<data::Db> db;
    IniFile ini{std::filesystem::path(inst.home()) / "QUARTZEN.INI"};
    Printers printers;
    services::test::DeviceLog device;
    std::vector<Job> jobs;
};

TEST_F(ArticleTicketTest, ThreeUnitsPrintThreeNumberedTicketsOnTheTicketPrinter) {
    EXPECT_EQ(print("3"), 3);
    ASSERT_EQ(jobs.size(), 3u);
    std::set<std::string> controls;
    for (long k = 1; k <= 3; ++k) {
        const Job& j = jobs[static_cast<size_t>(k - 1)];
        EXPECT_EQ(j.name, "Tiquete   " + std::to_string(k));
        EXPECT_EQ(j.printer, "Ticket_Star");
        EXPECT_NE(j.pages.find("FAC-000777(" + std::to_string(k) + ")"), std::string::npos);
        EXPECT_NE(j.pages.find("Válido hasta: 09/12/2026"), std::string::npos);
        const std::string control = domain::pos::ticket_control_number(k, "14:05:09", "08/12/2026");
        EXPECT_NE(j.pages.find("***" + control + "***"), std::string::npos) << j.pages;
        controls.insert(control);
    }
    EXPECT_EQ(controls.size(), 3u);
    EXPECT_NE(jobs[0].pages.find("***10679561***"), std::string::npos);
    EXPECT_EQ(jobs[0].pages, test::golden_at(__FILE__, "article_ticket.txt", jobs[0].pages));
}

TEST_F(ArticleTicketTest, AFractionalQuantityPrintsTheWholeUnitsAndTheLogoWhenThere) {
    EXPECT_EQ(print("2.5"), 2);
    EXPECT_EQ(jobs.size(), 2u);
    EXPECT_EQ(jobs[0].pages.find("TICKET.BMP"), std::string::npos) << "no logo installed";

    std::filesystem::create_directories(std::filesystem::path(inst.home()) / "BMP");
    std::ofstream(std::filesystem::path(inst.home()) / "BMP" / "TICKET.BMP") << "BM";
    jobs.clear();
    EXPECT_EQ(print("1"), 1);
    EXPECT_NE(jobs[0].pages.find("TICKET.BMP"), std::string::npos);
}

TEST_F(ArticleTicketTest, AnUnknownTicketPrinterStopsWithTheSystemsMessage) {
    ini.set("PREDET_P", "HOTELTQ", "Impresora_Borrada");
    EXPECT_EQ(print("2"), 0);
    EXPECT_TRUE(jobs.empty());
    ASSERT_FALSE(inst.port.messages.empty());
    EXPECT_NE(inst.port.messages.back().find("Código Impresora Compartida: TQ Tiquetes"),
              std::string::npos);
}

}  // namespace
}  // namespace qz::gui
