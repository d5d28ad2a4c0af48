// The programs refuse a command line they cannot honour before doing anything: a blank
// installation directory (which would be the root of the file system) and an option that
// neither the program nor Qt knows, each with a usage message and exit status 2.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/test_db.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;  // exit status; 128 + signal when it had to be killed
    std::string err;  // what it wrote on standard error
};

// Runs a program of this build (src/app) for at most 20 seconds.
Outcome run(const std::string& program, const std::vector<std::string>& args) {
    const fs::path path =
        fs::read_symlink("/proc/self/exe").parent_path() / ".." / "src" / "app" / program;
    int err[2];
    if (pipe(err) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(err[1], STDERR_FILENO);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        std::vector<char*> argv{const_cast<char*>(path.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(err[1]);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {  // it went on as if all were well
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Outcome out;
    out.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    char buf[512];
    for (ssize_t n; (n = read(err[0], buf, sizeof buf)) > 0;) out.err.append(buf, size_t(n));
    close(err[0]);
    return out;
}

TEST(CommandLine, ABlankHomeIsRefusedByBothPrograms) {
    const Outcome cli = run("quartzen", {"--home", "", "info"});
    EXPECT_EQ(cli.status, 2) << cli.err;
    EXPECT_NE(cli.err.find("--home necesita un directorio"), std::string::npos) << cli.err;
    const Outcome spa = run("quartzen-spa", {"--home", " "});
    EXPECT_EQ(spa.status, 2) << spa.err;
    EXPECT_NE(spa.err.find("Uso: quartzen-spa"), std::string::npos) << spa.err;
}

TEST(CommandLine, TheSpaRefusesAnOptionNobodyKnows) {
    qz::test::TestInstall install{qz::test::Engine::SQLite};
    const Outcome spa = run("quartzen-spa", {"--home", install.home(), "--bogus"});
    EXPECT_EQ(spa.status, 2) << spa.err;
    EXPECT_NE(spa.err.find("opcion desconocida: --bogus"), std::string::npos) << spa.err;
    EXPECT_NE(spa.err.find("Uso: quartzen-spa"), std::string::npos) << spa.err;
}

}  // namespace
