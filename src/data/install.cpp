#include "data/install.h"

#include <cstdlib>
#include <filesystem>

#include "data/db.h"
#include "data/integrity.h"
#include "data/pg_connection.h"
#include "data/sqlite_connection.h"

namespace qz::data {

namespace fs = std::filesystem;

std::string default_home() {
    if (const char* h = std::getenv("QUARTZEN_HOME"); h && *h) return h;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/share/quartzen";
}

void create_directories(const std::string& home) {
    for (const char* d : {"BASES", "PROFILE", "TEMP", "BMP", "HTML", "MAIL/SEND", "MAIL/RECEIVE",
                          "WAV", "HBEAT"})
        fs::create_directories(fs::path(home) / d);
}

MigrationReport init_installation(const std::string& home, const std::string& pg_schema) {
    create_directories(home);
    if (auto ads = read_ads_def(home)) {
        PgConnection c(ads->directory, pg_schema);
        return migrate(c, Catalogue::instance());
    }
    const std::string path = sqlite_path(home);
    try {
        SqliteConnection c(path);
        return migrate(c, Catalogue::instance());
    } catch (const DbError& e) {
        // Migrating a damaged file cannot mend it: say so, and what will.
        if (auto damage = damaged_file_message(path, e)) throw DbError(*damage, e.code());
        throw;
    }
}

}  // namespace qz::data
