#include "domain/session/temp_path.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>

#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
namespace fs = std::filesystem;

namespace {

class RecordingPort : public test::ScriptedPort {
public:
    void message(MsgStyle style, const std::string& title, const std::string& text) override {
        styles.push_back(style);
        ScriptedPort::message(style, title, text);
    }
    std::vector<MsgStyle> styles;
};

const std::string kNoDisk =
    "Error: Error creando directorio temporal de archivos...\r"
    "No hay Unidades de Disco Duro Disponibles o accesibles";

class LocalTemp : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> n{0};
        home = fs::temp_directory_path() /
               ("qz_temp_path_" + std::to_string(getpid()) + "_" + std::to_string(n++));
        fs::remove_all(home);
        fs::create_directories(home);
        drives = home_drives(home.string());
    }
    void TearDown() override { fs::remove_all(home); }
    // The workstation gets this drive.
    fs::path have_drive(char letter) {
        fs::path root = home / "DRIVES" / std::string(1, letter);
        fs::create_directories(root);
        return root;
    }
    void expect_off(const TempPathResult& r) {
        EXPECT_EQ(r.XTEMPPATH.local, 0);
        EXPECT_EQ(r.XTEMPPATH.path, "");
        EXPECT_TRUE(r.directory.empty());
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0], kNoDisk);
        EXPECT_EQ(port.styles[0], MsgStyle::Error);
    }

    fs::path home;
    DriveMapper drives;
    RecordingPort port;
};

}  // namespace

TEST_F(LocalTemp, DriveLettersMapUnderTheInstallation) {
    EXPECT_EQ(map_local_path("c:\\Qz\\\\Tmp\\", drives), home / "DRIVES" / "C" / "Qz" / "Tmp");
    EXPECT_EQ(map_local_path("D:/x", drives), home / "DRIVES" / "D" / "x");
    EXPECT_EQ(map_local_path("/var/tmp/qz/", drives), fs::path("/var/tmp/qz"));
}

TEST_F(LocalTemp, ExistingPathIsUsedWhereItIs) {
    fs::path c = have_drive('C');
    fs::create_directory(c / "QZTMP");
    TempPathResult r = prepare_local_temp("C:\\QZTMP", port, drives);
    EXPECT_EQ(r.XTEMPPATH.local, 1);
    EXPECT_EQ(r.XTEMPPATH.path, "C:\\QZTMP");
    EXPECT_EQ(r.directory, c / "QZTMP" / "TEMP");
    EXPECT_TRUE(fs::is_regular_file(c / "QZTMP" / "YES"));
    EXPECT_TRUE(fs::is_directory(r.directory));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(LocalTemp, MissingLastLevelIsCreatedButNotDeeperOnes) {
    fs::path c = have_drive('C');
    TempPathResult r = prepare_local_temp("C:\\QZTMP\\", port, drives);
    EXPECT_EQ(r.XTEMPPATH.local, 1);
    EXPECT_TRUE(fs::is_directory(c / "QZTMP" / "TEMP"));

    // Only the last level is made, so a path two levels deep fails on every drive it visits.
    port.messages.clear();
    expect_off(prepare_local_temp("C:\\NO\\SUCH", port, drives));
    EXPECT_FALSE(fs::exists(c / "NO"));
}

TEST_F(LocalTemp, DriveIThatCannotBeCreatedIsRetriedOnC) {
    fs::path c = have_drive('C');
    TempPathResult r = prepare_local_temp("I:\\QZTMP", port, drives);
    EXPECT_EQ(r.XTEMPPATH.local, 1);
    EXPECT_EQ(r.XTEMPPATH.path, "C:\\QZTMP");
    EXPECT_EQ(r.directory, c / "QZTMP" / "TEMP");
    EXPECT_TRUE(fs::is_directory(r.directory));
    EXPECT_FALSE(fs::exists(home / "DRIVES" / "I"));
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(LocalTemp, LettersAdvanceToIThenWrapToC) {
    have_drive('D');
    // E F G H I C D: the seventh attempt finds the disk.
    TempPathResult r = prepare_local_temp("E:\\Q", port, drives);
    EXPECT_EQ(r.XTEMPPATH.path, "D:\\Q");
    r = prepare_local_temp("A:\\R", port, drives);
    EXPECT_EQ(r.XTEMPPATH.path, "D:\\R");
    EXPECT_TRUE(port.messages.empty());
}

TEST_F(LocalTemp, TenFailedAttemptsSwitchTheLocalPathOff) {
    std::string visited;
    DriveMapper counting = [&](char letter) {
        visited += letter;
        return drives(letter);
    };
    expect_off(prepare_local_temp("A:\\Q", port, counting));
    EXPECT_EQ(visited, "ABCDEFGHIC");
    // A letter past I is never moved, so it is tried ten times as it is.
    port.messages.clear();
    port.styles.clear();
    expect_off(prepare_local_temp("Z:\\Q", port, drives));
}

TEST_F(LocalTemp, LeadingBlankOrEmptyPathIsRefusedAtOnce) {
    fs::path c = have_drive('C');
    expect_off(prepare_local_temp(" C:\\QZTMP", port, drives));
    EXPECT_FALSE(fs::exists(c / "QZTMP"));
    port.messages.clear();
    port.styles.clear();
    expect_off(prepare_local_temp("", port, drives));
}

TEST_F(LocalTemp, PathWithoutDriveLetterIsALinuxPath) {
    fs::path dir = home / "local";
    TempPathResult r = prepare_local_temp(dir.string(), port, drives);
    EXPECT_EQ(r.XTEMPPATH.local, 1);
    EXPECT_EQ(r.directory, dir / "TEMP");
    EXPECT_TRUE(fs::is_directory(r.directory));
}

TEST_F(LocalTemp, SessionTempFilesFallBackToTheInstallation) {
    AppSettings s;
    EXPECT_EQ(prepare_temp_path(s, home.string(), port, drives), home / "TEMP");

    s.XTEMPPATH = {1, "I:\\QZ"};
    fs::path c = have_drive('C');
    EXPECT_EQ(prepare_temp_path(s, home.string(), port, drives), c / "QZ" / "TEMP");
    EXPECT_EQ(s.XTEMPPATH.path, "C:\\QZ");

    s.XTEMPPATH = {1, "C:\\A\\B"};
    EXPECT_EQ(prepare_temp_path(s, home.string(), port, drives), home / "TEMP");
    EXPECT_EQ(s.XTEMPPATH.local, 0);
    EXPECT_EQ(port.messages.size(), 1u);
}
