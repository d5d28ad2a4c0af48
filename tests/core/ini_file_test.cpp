#include "core/ini_file.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <iterator>
#include <system_error>

namespace fs = std::filesystem;

namespace {

class TempDir {
  public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "qz-ini-XXXXXX").string();
        m_path = ::mkdtemp(tmpl.data());
    }
    ~TempDir() { fs::remove_all(m_path); }
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

void write_file(const fs::path& p, const std::string& content) {
    std::ofstream(p, std::ios::binary) << content;
}

std::string read_file(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(IniFile, ReadsProfileFilesWhateverTheirState) {
    TempDir dir;
    const fs::path p = dir.path() / "QUARTZEN.INI";
    EXPECT_EQ(qz::IniFile(p).get("QUARTZEN", "PATH", "none"), "none");  // no file yet

    write_file(p,
               "; estación 3\r\n[Quartzen]\r\n  Path = C:\\QZ  \r\n;Path=old\r\n"
               "[IMPRESORA]\r\nNombre=Epson=LX\r\nnombre=duplicate\r\n");
    qz::IniFile ini(p);
    EXPECT_EQ(ini.get("QUARTZEN", "path"), "C:\\QZ");
    EXPECT_EQ(ini.get("impresora", "NOMBRE"), "Epson=LX");
    EXPECT_EQ(ini.get("IMPRESORA", "Puerto", "LPT1"), "LPT1");
    EXPECT_EQ(ini.keys("quartzen"), std::vector<std::string>{"Path"});
    EXPECT_EQ(ini.keys("IMPRESORA"), std::vector<std::string>{"Nombre"});

    std::string junk = "[broken\nA=1\n=nokey\n";
    junk += std::string("\0\xff\xfe=\x01\n", 6) + "[S]\nB=2\n" + std::string(200000, 'x') + "\n[T";
    write_file(p, junk);
    qz::IniFile damaged(p);
    EXPECT_EQ(damaged.get("S", "B"), "2");
    EXPECT_EQ(damaged.get("broken", "A"), "");
    EXPECT_EQ(damaged.keys("S"), std::vector<std::string>{"B"});
}

TEST(IniFile, RewriteKeepsEverythingElse) {
    TempDir dir;
    const fs::path p = dir.path() / "QUARTZEN.INI";
    write_file(p, "; comentario\n[A]\nX=1\n\n[B]\nY=2\nlinea rara\n");
    qz::IniFile ini(p);
    ini.set("a", "Z", "3");
    ini.set("b", "y", " 5 ");
    ini.set("C", "K", "v");
    EXPECT_EQ(read_file(p), "; comentario\n[A]\nX=1\nZ=3\n\n[B]\nY= 5 \nlinea rara\n\n[C]\nK=v\n");
    ini.remove_key("A", "x");
    EXPECT_EQ(qz::IniFile(p).get("B", "Y"), "5");
    EXPECT_EQ(qz::IniFile(p).keys("A"), std::vector<std::string>{"Z"});

    write_file(p, "[A]\r\nX=1\r\n");
    qz::IniFile windows(p);
    windows.set("A", "X", "2");
    EXPECT_EQ(read_file(p), "[A]\r\nX=2\r\n");

    EXPECT_THROW(ini.set("A", "K", "two\nlines"), std::invalid_argument);
    EXPECT_THROW(ini.set("A", "K=1", "v"), std::invalid_argument);
    EXPECT_THROW(ini.set("A]", "K", "v"), std::invalid_argument);
}

TEST(IniFile, WritesAtomically) {
    TempDir dir;
    const fs::path nested = dir.path() / "sub" / "deeper" / "QUARTZEN.INI";
    qz::IniFile fresh(nested);
    fresh.set("QUARTZEN", "AREA", "SPA1");
    EXPECT_EQ(read_file(nested), "[QUARTZEN]\nAREA=SPA1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(nested.parent_path()), {}), 1);

    // A directory standing where the file goes makes the final rename fail: the old settings
    // stay in memory and no temporary file is left behind.
    const fs::path p = dir.path() / "QUARTZEN.INI";
    write_file(p, "[A]\nX=1\n");
    qz::IniFile ini(p);
    fs::remove(p);
    fs::create_directories(p / "occupied");
    EXPECT_THROW(ini.set("A", "X", "2"), std::system_error);
    EXPECT_EQ(ini.get("A", "X"), "1");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);  // sub, QUARTZEN.INI
}

TEST(IniFile, DefaultPathFollowsXdgRules) {
    const char* old_xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old_xdg ? old_xdg : "";
    const char* old_home = std::getenv("HOME");
    const std::string saved_home = old_home ? old_home : "";
    ::setenv("HOME", "/home/recepcion", 1);
    ::setenv("XDG_CONFIG_HOME", "/etc/xdg-user", 1);
    EXPECT_EQ(qz::default_ini_path(), "/etc/xdg-user/quartzen/QUARTZEN.INI");
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(qz::default_ini_path(), "/home/recepcion/.config/quartzen/QUARTZEN.INI");
    ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);
    EXPECT_EQ(qz::default_ini_path(), "/home/recepcion/.config/quartzen/QUARTZEN.INI");
    if (old_xdg)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("HOME", saved_home.c_str(), 1);
}
