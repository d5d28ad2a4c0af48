#include "data/ads_def.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "core/text.h"

namespace qz::data {

bool AdsParams::id_enabled(std::optional<int> id) const {
    if (every_transaction) return true;
    if (!id || *id < 1 || *id > static_cast<int>(ts.size())) return false;
    return ts[static_cast<size_t>(*id - 1)] == '1';
}

AdsParams parse_ads_def(const std::string& content) {
    AdsParams p;
    std::string cur;
    for (char c : content) {
        if (c == '\n') continue;
        if (c == '\r') {
            p.lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) p.lines.push_back(cur);
    p.directory = trim(p.line(1));
    p.every_transaction = trim(p.line(2)) == "1";
    p.keep_tables_in_tx = trim(p.line(3)) == "1";
    p.force_kind2 = trim(p.line(4)) == "1";
    auto set_if = [&](size_t n, auto apply) {
        std::string v = trim(p.line(n));
        if (!v.empty()) apply(v);
    };
    set_if(22, [&](const std::string& v) {
        try {
            p.cache_records = std::max(0, std::stoi(v));
        } catch (...) {
            p.cache_records = 0;
        }
    });
    set_if(23, [&](const std::string& v) { p.compatible_locking = upper_ascii(v) == ".F."; });
    set_if(26, [&](const std::string& v) { p.ts = pad_right(v, 100, '0'); });
    set_if(27, [&](const std::string& v) { p.ads_dir = v; });
    return p;
}

std::optional<AdsParams> read_ads_def(const std::string& home) {
    std::ifstream in(home + "/ADS.DEF", std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream ss;
    ss << in.rdbuf();
    return parse_ads_def(ss.str());
}

}  // namespace qz::data
