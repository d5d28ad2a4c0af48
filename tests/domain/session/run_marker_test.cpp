#include "domain/session/run_marker.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace qz::domain;

// Only a session whose process is gone counts as an abnormal end; the ones still running (other
// sessions of the machine) and this one do not.
TEST(RunMarker, ASessionWhoseProcessIsGoneEndedAbnormally) {
    const fs::path dir = fs::temp_directory_path() / ("qz_run_" + std::to_string(getpid()));
    fs::remove_all(dir);
    {
        RunMarker mine(dir);
        std::ofstream(dir / (std::to_string(getppid()) + ".run")) << "vivo";
        EXPECT_FALSE(take_abnormal_ends(dir));
        pid_t child = fork();
        if (child == 0) _exit(0);
        waitpid(child, nullptr, 0);
        std::ofstream(dir / (std::to_string(child) + ".run")) << "muerto";
        EXPECT_TRUE(take_abnormal_ends(dir));
        EXPECT_FALSE(fs::exists(dir / (std::to_string(child) + ".run")));
        EXPECT_FALSE(take_abnormal_ends(dir)) << "told once";
        EXPECT_TRUE(fs::exists(dir / (std::to_string(getpid()) + ".run")));
    }
    EXPECT_FALSE(fs::exists(dir / (std::to_string(getpid()) + ".run")))
        << "an ordinary end removes the marker";
    fs::remove_all(dir);
}
