#include "services/mail/mail_engine.h"

#include <curl/curl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "services/mail/mail_curl.h"
#include "services/mail/mail_mime.h"

namespace qz::services {

namespace fs = std::filesystem;

namespace {

struct Easy {
    CURL* h;
    curl_slist* rcpt = nullptr;
    curl_slist* headers = nullptr;
    curl_mime* mime = nullptr;
    Easy() : h((global_init(), curl_easy_init())) {}
    ~Easy() {
        if (mime) curl_mime_free(mime);
        curl_slist_free_all(rcpt);
        curl_slist_free_all(headers);
        if (h) curl_easy_cleanup(h);
    }
};

long port_or(std::optional<long> p, long fallback) { return p && *p != 0 ? *p : fallback; }

std::string smtp_url(const domain::AppSettings& s) {
    return "smtp://" + trim(s.XEMAILHOST) + ":" + std::to_string(port_or(s.XEMAIL_SMTP_PORT, 25));
}

// Server, TLS when offered, and AUTH when the settings ask for it.
void set_smtp_common(CURL* h, const domain::AppSettings& s, long timeout) {
    curl_easy_setopt(h, CURLOPT_URL, smtp_url(s).c_str());
    curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(h, CURLOPT_TIMEOUT, timeout);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, std::min(timeout, 20L));
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    if (s.XEMAILAUTH == 1) {
        curl_easy_setopt(h, CURLOPT_USERNAME, s.XEMAIL_AU.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, s.XEMAIL_AP.c_str());
    }
}

bool read_file(const fs::path& p, std::string& out) {
    std::ifstream in(p, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    out = ss.str();
    return true;
}

}  // namespace

std::vector<std::string> split_addresses(const std::string& list) {
    std::string s = list;
    for (char& c : s)
        if (c == ',') c = ';';
    std::vector<std::string> out;
    for (const auto& a : split(s, ';')) {
        std::string t = trim(a);
        if (t.size() > 2 && t.front() == '<' && t.back() == '>') t = t.substr(1, t.size() - 2);
        // An address with control characters could smuggle header lines into the message.
        const bool clean =
            std::none_of(t.begin(), t.end(), [](unsigned char c) { return c < ' ' || c == 0x7F; });
        if (!t.empty() && clean) out.push_back(t);
    }
    return out;
}

MailEngine::MailEngine(const domain::AppSettings& settings, MailPaths paths, UserPort* port)
    : m_settings(settings), m_paths(std::move(paths)), m_port(port) {}

MailEngine::~MailEngine() { DISCONNECTSEE(); }

void MailEngine::tell(const std::string& text, bool quiet) {
    if (!quiet && m_port) m_port->message(MsgStyle::Error, "Error", text);
}

int MailEngine::fail(int code, const std::string& text) {
    m_error = text;
    return code;
}

int MailEngine::CONNECTSEE(bool /*load*/, bool quiet) {
    m_quiet = quiet;
    m_connected = 0;
    Easy e;
    if (!e.h) return fail(kMailNoCode, "curl_easy_init");
    set_smtp_common(e.h, m_settings, m_timeout);
    curl_easy_setopt(e.h, CURLOPT_CONNECT_ONLY, 1L);
    const std::string from = "<" + trim(m_settings.XEMAILADDR) + ">";
    curl_easy_setopt(e.h, CURLOPT_MAIL_FROM, from.c_str());
    const CURLcode rc = curl_easy_perform(e.h);
    if (rc != CURLE_OK) {
        const int code = -static_cast<int>(rc);
        fail(code, curl_easy_strerror(rc));
        tell("Error SMTP Connect, maybe bad authentication: " + std::to_string(code), quiet);
        return code;
    }
    m_connected = 1;
    m_error.clear();
    return 1;
}

int MailEngine::SENDMAILQUARTZEN(const MailMessage& m) {
    if (!m_connected) return fail(kMailNoCode, "No hay conexion SMTP");
    const std::string addr =
        trim(m.sender_addr).empty() ? trim(m_settings.XEMAILADDR) : trim(m.sender_addr);
    const std::string name = trim(m.sender_name).empty() ? m_settings.XEMAILNAME : m.sender_name;

    std::string html = m.body;
    std::optional<fs::path> body_file;
    if (!html.empty() && html.front() == '@') {
        body_file = fs::path(m_paths.send()) / trim(html.substr(1));
        if (!read_file(*body_file, html)) {
            tell("Archivo no encontrado: " + body_file->string(), m_quiet);
            return fail(kMailNoCode, "Archivo no encontrado: " + body_file->string());
        }
    }
    const auto embedded = resolve_files(m.embedded, m_paths.html());
    const bool own_folder = !trim(m.attach_folder).empty();
    const int delete_flag = own_folder ? m.delete_flag : 0;
    const auto attachments =
        resolve_files(m.attachments, own_folder ? trim(m.attach_folder) : m_paths.html());
    for (const auto& list : {embedded, attachments})
        for (const auto& f : list)
            if (!fs::is_regular_file(f)) {
                tell("Archivo no encontrado: " + f, m_quiet);
                return fail(kMailNoCode, "Archivo no encontrado: " + f);
            }

    Easy e;
    if (!e.h) return fail(kMailNoCode, "curl_easy_init");
    set_smtp_common(e.h, m_settings, m_timeout);
    const std::string from = "<" + addr + ">";
    curl_easy_setopt(e.h, CURLOPT_MAIL_FROM, from.c_str());
    const auto to = split_addresses(m.to), cc = split_addresses(m.cc), bcc = split_addresses(m.bcc);
    for (const auto& list : {to, cc, bcc})
        for (const auto& a : list) e.rcpt = curl_slist_append(e.rcpt, ("<" + a + ">").c_str());
    if (!e.rcpt) return fail(kMailNoCode, "Sin destinatario");
    curl_easy_setopt(e.h, CURLOPT_MAIL_RCPT, e.rcpt);

    auto join = [](const std::vector<std::string>& v) {
        std::string s;
        for (const auto& a : v) s += (s.empty() ? "" : ", ") + ("<" + a + ">");
        return s;
    };
    std::vector<std::string> hdr = {"Date: " + rfc5322_now(), "From: " + mailbox(name, addr),
                                    "Subject: " + encode_header_word(m.subject),
                                    "X-Priority: Normal", "X-Sender: QUARTZEN Hotel Software"};
    if (!to.empty()) hdr.push_back("To: " + join(to));
    if (!cc.empty()) hdr.push_back("Cc: " + join(cc));
    for (const auto& h : hdr) e.headers = curl_slist_append(e.headers, h.c_str());
    curl_easy_setopt(e.h, CURLOPT_HTTPHEADER, e.headers);

    e.mime = build_mime(e.h, html, m.alt_text, embedded, attachments);
    curl_easy_setopt(e.h, CURLOPT_MIMEPOST, e.mime);
    curl_easy_setopt(e.h, CURLOPT_UPLOAD, 1L);

    const CURLcode rc = curl_easy_perform(e.h);
    if (rc != CURLE_OK) return fail(-static_cast<int>(rc), curl_easy_strerror(rc));
    m_error.clear();
    std::error_code ec;
    if (body_file) fs::remove(*body_file, ec);
    if (delete_flag == 1)
        for (const auto& f : attachments) fs::remove(f, ec);
    return 1;
}

void MailEngine::DISCONNECTSEE(bool /*unload*/) {
    m_connected = 0;
    m_pop3.reset();  // the handle's cleanup says QUIT, which commits deletions
}

}  // namespace qz::services
