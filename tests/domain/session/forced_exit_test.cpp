#include "domain/session/forced_exit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;

namespace {

namespace fs = std::filesystem;

// "0" (supervisors exempt) and eighteen flags; `set` names positions (2 to 19) holding "1".
std::string request(std::initializer_list<int> set = {}, char first = '0') {
    std::string s(1, first);
    s += std::string(18, '0');
    for (int p : set) s[static_cast<size_t>(p - 1)] = '1';
    return s;
}

QuitAlarm alarm(const std::string& content, std::string_view module, int no_salir = 0,
                int super = 0) {
    return CHECK_QUIT(content, module, no_salir, super, 0, false).alarm;
}

struct TempHome {
    fs::path dir = fs::temp_directory_path() / ("qz_exit_" + std::to_string(::getpid()));
    TempHome() { fs::create_directories(dir); }
    ~TempHome() { fs::remove_all(dir); }
};

}  // namespace

TEST(ForcedExit, AllZeroFlagsAskEveryModuleToLeave) {
    const std::string all = request();
    for (auto module : {"SPA", "HOTEL", "INV", "CRM", "UNKNOWN"})
        EXPECT_EQ(alarm(all, module), QuitAlarm::Countdown) << module;
    EXPECT_EQ(alarm("0", "SPA"), QuitAlarm::Countdown);  // a short file has no "1" either
}

TEST(ForcedExit, AFlagAsksOnlyItsFamily) {
    const std::string spa_only = request({19});
    EXPECT_EQ(alarm(spa_only, "SPA"), QuitAlarm::Countdown);
    for (auto module : {"HOTEL", "CRM", "INV", "EVENTOS", "UNKNOWN"})
        EXPECT_EQ(alarm(spa_only, module), QuitAlarm::None) << module;
    const std::string hotel = request({8});
    EXPECT_EQ(alarm(hotel, "HOT_2"), QuitAlarm::Countdown);
    EXPECT_EQ(alarm(hotel, "SPA"), QuitAlarm::None);
}

TEST(ForcedExit, SupervisorsAndExemptUsersOnlyHearOfItUnlessPositionOneSaysAll) {
    const std::string all = request();
    EXPECT_EQ(alarm(all, "SPA", 0, 1), QuitAlarm::ExemptNotice);
    EXPECT_EQ(alarm(all, "SPA", 1, 0), QuitAlarm::ExemptNotice);
    QuitDecision d = CHECK_QUIT(request({}, '1'), "SPA", 1, 1, 0, false);
    EXPECT_TRUE(d.cancel_exemptions);
    EXPECT_EQ(d.alarm, QuitAlarm::Countdown);
    // The exemptions go even when this module is not asked to leave.
    d = CHECK_QUIT(request({8}, '1'), "SPA", 1, 1, 0, false);
    EXPECT_TRUE(d.cancel_exemptions);
    EXPECT_EQ(d.alarm, QuitAlarm::None);
}

TEST(ForcedExit, NotForGetupNorDuringAStructureChangeNorTwice) {
    const std::string all = request();
    EXPECT_EQ(alarm(all, "GETUP"), QuitAlarm::None);
    EXPECT_EQ(CHECK_QUIT(all, "SPA", 0, 0, 1, false).alarm, QuitAlarm::None);
    EXPECT_EQ(CHECK_QUIT(all, "SPA", 0, 0, 0, true).alarm, QuitAlarm::None);
    EXPECT_EQ(CHECK_QUIT(std::nullopt, "SPA", 0, 0, 0, false).alarm, QuitAlarm::None);
}

TEST(ForcedExit, CountdownEndsTheSessionAfterFiveMinutes) {
    Session s;
    ForcedExit fx;
    EXPECT_EQ(fx.check(s, request(), 0, 10000), QuitAlarm::Countdown);
    EXPECT_TRUE(fx.running());
    EXPECT_EQ(fx.check(s, request(), 0, 20000), QuitAlarm::None);
    EXPECT_EQ(fx.tick(s, 0, 10000 + 299999), CountdownTick::Wait);
    EXPECT_EQ(fx.tick(s, 1, 10000 + 300000), CountdownTick::Paused);
    EXPECT_EQ(fx.tick(s, 0, 10000 + 300000), CountdownTick::Exit);
    EXPECT_EQ(countdown_tick(1, 0, 999999), CountdownTick::Wait);
    EXPECT_EQ(countdown_alarm_lines().front(), "Debe salir del sistema en máximo 5 minutos!");
}

TEST(ForcedExit, ExemptSessionIsToldOncePerRequestUntilPositionOneRemovesTheExemption) {
    Session s;
    s.XSUPERACCESS = 1;
    ForcedExit fx;
    EXPECT_EQ(fx.check(s, request(), 0, 0), QuitAlarm::ExemptNotice);
    EXPECT_EQ(fx.check(s, request(), 0, 60000), QuitAlarm::None);
    EXPECT_EQ(fx.check(s, std::nullopt, 0, 120000), QuitAlarm::None);
    EXPECT_EQ(fx.check(s, request(), 0, 180000), QuitAlarm::ExemptNotice);
    EXPECT_EQ(exempt_alarm_lines().back(), "En _su_ calidad de Supervisor, Ud. NO será obligado");

    EXPECT_EQ(fx.check(s, request({}, '1'), 0, 240000), QuitAlarm::Countdown);
    EXPECT_EQ(s.XSUPERACCESS, 0);
    EXPECT_EQ(fx.tick(s, 0, 540000), CountdownTick::Exit);
}

TEST(ForcedExit, UsersScreenWritesAWholeFileAndFreeAccessRemovesIt) {
    TempHome home;
    test::ScriptedPort port;
    std::array<bool, 16> boxes{};
    boxes[6] = true;  // "Hotel"
    EXPECT_EQ(exit_request_boxes()[6], "Hotel");
    ASSERT_TRUE(write_exit_request(home.dir, port, true, boxes));
    auto content = read_exit_request(home.dir);
    ASSERT_TRUE(content);
    EXPECT_EQ(*content, "10000001000000000");
    EXPECT_EQ(alarm(*content, "HOTEL", 0, 1), QuitAlarm::Countdown);
    EXPECT_EQ(alarm(*content, "SPA"), QuitAlarm::None);
    // Nothing but the request is left in the directory.
    EXPECT_EQ(std::distance(fs::directory_iterator(home.dir), fs::directory_iterator()), 1);

    free_access(home.dir);
    EXPECT_FALSE(exit_request_exists(home.dir));
    EXPECT_FALSE(read_exit_request(home.dir));

    std::ofstream(home.dir / "BLOQUEAD.!") << std::string(80, '1');
    EXPECT_EQ(read_exit_request(home.dir)->size(), kExitRequestLength);

    EXPECT_FALSE(write_exit_request(home.dir / "no_such_dir", port, false, boxes));
    EXPECT_EQ(port.messages,
              std::vector<std::string>{"Error: No se pudo crear el archivo BLOQUEAD.!"});
}
