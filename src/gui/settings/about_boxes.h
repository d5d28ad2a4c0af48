#pragma once
// The two boxes of the "Acerca de" menu: the database server in use ("ADS Config.") and the
// about box.
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace qz::data {
class Db;
}

namespace qz::gui {

// What "ADS Config." tells about the database server of the session.
struct ServerInfo {
    bool server = false;              // false: the local database, no server to describe
    std::string local_engine;         // the local database's engine and version
    long sessions = 0;                // sessions connected to this database
    std::string version;              // the server's version
    bool compatible_locking = false;  // ADS.DEF line 23
    int cache_records = 0;            // XADSCACHERECORDS
};

// Asks the session's connection.
ServerInfo server_info(data::Db& db);

// The lines of the box, top to bottom.
std::vector<std::string> server_info_lines(const ServerInfo& info);

// "ADS Config.": a box titled "Versión Advantage Database Server".
void open_ads_config(QWidget* owner, const ServerInfo& info);

// The version of this release of the suite.
inline constexpr const char* kVersionText = "3.2.01 (30/04/2008)";
inline constexpr const char* kSeriesTitle = "Serie Quartzen";

// "Acerca de": the series title, the version and who is working.
void open_about(QWidget* owner, const std::string& user_name);

}  // namespace qz::gui
