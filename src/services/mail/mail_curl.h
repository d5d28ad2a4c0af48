#pragma once
// libcurl pieces shared by the engine's SMTP and POP3 halves (not for use outside the engine).
#include <curl/curl.h>

#include <mutex>
#include <string>
#include <vector>

#include "services/mail/mail_engine.h"

namespace qz::services {

// libcurl's global set-up, once per process.
inline void global_init() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The message body: multipart/mixed holding a multipart/related part (the HTML, or a
// multipart/alternative of the plain text and the HTML, then each picture inline with its file
// name as Content-ID, so the HTML refers to it as "cid:NAME"), then each attachment.
curl_mime* build_mime(CURL* h, const std::string& html, const std::string& alt_text,
                      const std::vector<std::string>& embedded,
                      const std::vector<std::string>& attachments);

// The open POP3 connection: one handle, so every command runs in one server session.
struct MailEngine::Pop3 {
    CURL* h = nullptr;
    std::string url;
    std::vector<std::string> lines;  // server replies of the last command
    ~Pop3() {
        if (h) curl_easy_cleanup(h);
    }
};

}  // namespace qz::services
