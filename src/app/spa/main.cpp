// quartzen-spa: the spa module of the QUARTZEN suite, the window the spa desk works in.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/text.h"
#include "data/install.h"
#include "gui/main/spa_app.h"

namespace {

bool has_display() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;  // offscreen, vnc...: the caller chose one
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY"})
        if (const char* v = std::getenv(var); v && *v) return true;
    return false;
}

}  // namespace

// The options Qt itself takes (-platform, -style...) are left in argv for it; run_spa refuses
// whatever neither it nor Qt knows.
int main(int argc, char** argv) {
    std::string home = qz::data::default_home();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--home") == 0) {
            // A blank directory would make the file system's root the installation.
            if (i + 1 >= argc || qz::trim(argv[i + 1]).empty()) {
                std::fprintf(stderr, "quartzen-spa: --home necesita un directorio\n%s",
                             qz::gui::kSpaUsage);
                return 2;
            }
            home = argv[++i];
        } else if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(qz::gui::kSpaUsage, stdout);
            return 0;
        }
    }
    if (!has_display()) {
        std::fprintf(stderr,
                     "quartzen-spa necesita una pantalla: inicielo desde una sesion de "
                     "escritorio, o en una pantalla virtual con\n  xvfb-run -a quartzen-spa "
                     "--home %s\n",
                     home.c_str());
        return 1;
    }
    return qz::gui::run_spa(argc, argv, home);
}
