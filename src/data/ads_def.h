#pragma once
// The server parameter file "ADS.DEF" of the installation directory. When it exists the suite
// runs on a PostgreSQL server whose libpq connection string is line 1; the other lines keep their
// old meaning for transactions, the table cache and the per-id transaction switches.
#include <optional>
#include <string>
#include <vector>

namespace qz::data {

struct AdsParams {
    std::vector<std::string> lines;  // XADSPARAMS: the lines as read, 1-based via line()
    std::string directory;           // XADSDIRECTORY: line 1, the connection string
    bool every_transaction = false;  // line 2 = "1"
    bool keep_tables_in_tx = false;  // line 3 = "1": tables closed in a transaction stay parked
    bool force_kind2 = false;        // line 4 = "1"
    int cache_records = 0;           // XADSCACHERECORDS, line 22
    bool compatible_locking = false; // line 23 = ".F."
    std::string ts = std::string(100, '0');  // XADS_TS, line 26
    std::string ads_dir;                     // XADS_DIR, line 27

    std::string line(size_t n) const { return n >= 1 && n <= lines.size() ? lines[n - 1] : ""; }
    // Whether a transaction with this id opens a real server transaction under these switches.
    bool id_enabled(std::optional<int> id) const;
};

// Lines end at carriage returns; line feeds are dropped. Lines 21 and after count only when not
// blank after trimming.
AdsParams parse_ads_def(const std::string& content);
// nullopt when the installation directory has no ADS.DEF.
std::optional<AdsParams> read_ads_def(const std::string& home);

}  // namespace qz::data
