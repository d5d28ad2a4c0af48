#pragma once
// The pages a user typed to print from the preview: "2,4,7".
#include <string>
#include <vector>

namespace qz::services {

// Each comma-separated entry that is a whole number between 1 and `page_count`, in the order
// typed, each once; anything else ("x", "0", "12" of 5 pages, "2.5") is passed over.
std::vector<int> parse_page_list(const std::string& list, int page_count);

// The selected pages (1-based) as the list is prefilled: "1,3".
std::string page_list_text(const std::vector<int>& pages);

}  // namespace qz::services
