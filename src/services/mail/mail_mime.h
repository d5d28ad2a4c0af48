#pragma once
// Pieces of an outgoing message that do not need libcurl: header encoding, the message's
// headers, and the file lists of SENDMAILQUARTZEN resolved to paths.
#include <string>
#include <vector>

namespace qz::services {

// A header value as it may travel: plain ASCII as is, anything else as an RFC 2047 word.
std::string encode_header_word(const std::string& text);
std::string base64(const std::string& bytes);
// "Name <addr>", the name encoded when needed; "<addr>" without a name.
std::string mailbox(const std::string& name, const std::string& address);
// RFC 5322 date of the workstation's clock ("Tue, 04 Mar 2025 10:30:00 +0000").
std::string rfc5322_now();
// The content type a file is sent with, from its extension.
std::string content_type_of(const std::string& file);
// Comma-separated names, each put under `folder` unless it already carries a path.
std::vector<std::string> resolve_files(const std::string& names, const std::string& folder);

}  // namespace qz::services
