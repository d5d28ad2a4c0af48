#pragma once
// Template substitution (TRANS_FILE): an HTML template with field names in its text becomes a
// message body with the values in their place.
#include <filesystem>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace qz::services {

using MailFields = std::vector<std::pair<std::string, std::string>>;

inline constexpr size_t kTransChunk = 5000;

// Copies `in` to `out` in chunks of `chunk` characters (or of the longest field name when that
// is longer), replacing every field name by its value, fields in list order, each everywhere.
// A chunk ends where no field name and no tag is cut, so each piece of the template is
// substituted exactly once. Picture references (src="NAME") are rewritten to "cid:NAME" and the
// names returned, in order of first use, as the pictures to embed.
std::vector<std::string> TRANS_FILE(std::istream& in, std::ostream& out, const MailFields& fields,
                                    size_t chunk = kTransChunk);
// The same from one file to another; throws std::runtime_error when either cannot be opened.
std::vector<std::string> TRANS_FILE(const std::filesystem::path& tmpl,
                                    const std::filesystem::path& out, const MailFields& fields,
                                    size_t chunk = kTransChunk);

// "&", "<", ">", '"' as entities; line breaks as "<br>".
std::string html_escape(const std::string& text);

}  // namespace qz::services
