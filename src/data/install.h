#pragma once
// Creating an installation: its directories and its database schema.
#include <optional>
#include <string>

#include "data/ads_def.h"
#include "data/schema.h"

namespace qz::data {

// The installation directory: --home, else $QUARTZEN_HOME, else ~/.local/share/quartzen.
std::string default_home();
// Creates BASES, PROFILE, TEMP, BMP, HTML, MAIL/SEND, MAIL/RECEIVE, WAV and HBEAT.
void create_directories(const std::string& home);
// Connects to the installation's database (PostgreSQL when ADS.DEF is there) and brings its
// schema to the catalogue. Safe to run again at any time.
MigrationReport init_installation(const std::string& home, const std::string& pg_schema = "");

}  // namespace qz::data
