#include "services/mail/mail_curl.h"

#include <filesystem>

#include "services/mail/mail_mime.h"

namespace qz::services {

namespace {

void text_part(curl_mime* mime, const std::string& text, const char* type) {
    curl_mimepart* p = curl_mime_addpart(mime);
    curl_mime_data(p, text.data(), text.size());
    curl_mime_type(p, type);
    curl_mime_encoder(p, "quoted-printable");
}

void file_part(curl_mime* mime, const std::string& file, bool inline_picture) {
    const std::string name = std::filesystem::path(file).filename().string();
    curl_mimepart* p = curl_mime_addpart(mime);
    curl_mime_filedata(p, file.c_str());
    curl_mime_type(p, content_type_of(file).c_str());
    curl_mime_encoder(p, "base64");
    if (!inline_picture) return;
    curl_slist* h = nullptr;
    h = curl_slist_append(h, ("Content-ID: <" + name + ">").c_str());
    h = curl_slist_append(h, ("Content-Disposition: inline; filename=\"" + name + "\"").c_str());
    curl_mime_headers(p, h, 1);
}

}  // namespace

curl_mime* build_mime(CURL* h, const std::string& html, const std::string& alt_text,
                      const std::vector<std::string>& embedded,
                      const std::vector<std::string>& attachments) {
    curl_mime* related = curl_mime_init(h);
    if (alt_text.empty()) {
        text_part(related, html, "text/html; charset=UTF-8");
    } else {
        curl_mime* alt = curl_mime_init(h);
        text_part(alt, alt_text, "text/plain; charset=UTF-8");
        text_part(alt, html, "text/html; charset=UTF-8");
        curl_mimepart* p = curl_mime_addpart(related);
        curl_mime_subparts(p, alt);
        curl_mime_type(p, "multipart/alternative");
    }
    for (const auto& f : embedded) file_part(related, f, true);

    curl_mime* top = curl_mime_init(h);
    curl_mimepart* body = curl_mime_addpart(top);
    curl_mime_subparts(body, related);
    curl_mime_type(body, "multipart/related");
    for (const auto& f : attachments) file_part(top, f, false);
    return top;
}

}  // namespace qz::services
