#include "services/print/page_list.h"

#include <algorithm>
#include <cctype>

#include "core/text.h"

namespace qz::services {

std::vector<int> parse_page_list(const std::string& list, int page_count) {
    std::vector<int> pages;
    for (const std::string& entry : split(list, ',')) {
        const std::string t = trim(entry);
        if (t.empty() || t.size() > 9 ||
            !std::all_of(t.begin(), t.end(), [](unsigned char c) { return std::isdigit(c); }))
            continue;
        const int n = std::stoi(t);
        if (n >= 1 && n <= page_count && std::find(pages.begin(), pages.end(), n) == pages.end())
            pages.push_back(n);
    }
    return pages;
}

std::string page_list_text(const std::vector<int>& pages) {
    std::string out;
    for (int p : pages) out += (out.empty() ? "" : ",") + std::to_string(p);
    return out;
}

}  // namespace qz::services
