// The POP3 half of the mail engine: the mailbox check, the message count and deleting one
// message. One curl handle serves the whole connection, so a deletion and the count share the
// server session; DISCONNECTSEE ends it with QUIT, which is when the server deletes for good.
#include <cstdlib>

#include "core/text.h"
#include "services/mail/mail_curl.h"
#include "services/mail/mail_engine.h"

namespace qz::services {

namespace {

// Single-line replies of POP3 commands do not reach the data callback; the debug callback sees
// every line the server sends, so the reply to STAT is taken from there.
int on_debug(CURL*, curl_infotype type, char* data, size_t size, void* user) {
    auto* lines = static_cast<std::vector<std::string>*>(user);
    if (type == CURLINFO_HEADER_IN) lines->push_back(rtrim(std::string(data, size)));
    return 0;
}

size_t discard(char*, size_t size, size_t n, void*) { return size * n; }

}  // namespace

int MailEngine::CONNECTPOP3(bool /*load*/, bool quiet, const std::string& user,
                            const std::string& password, const std::string& host,
                            std::optional<long> port) {
    m_quiet = quiet;
    m_pop3.reset();
    global_init();
    auto p = std::make_unique<Pop3>();
    p->h = curl_easy_init();
    if (!p->h) return fail(kMailNoCode, "curl_easy_init");
    const std::string h = trim(host).empty() ? trim(m_settings.XEMAILHOST) : trim(host);
    long n = port.value_or(m_settings.XEMAIL_POP3_PORT.value_or(0));
    if (n == 0) n = 110;
    p->url = "pop3://" + h + ":" + std::to_string(n) + "/";
    // The session has no POP3 account of its own: the SMTP account serves when none is given.
    const std::string u = user.empty() ? m_settings.XEMAIL_AU : user;
    const std::string pw = password.empty() ? m_settings.XEMAIL_AP : password;
    curl_easy_setopt(p->h, CURLOPT_USERNAME, u.c_str());
    curl_easy_setopt(p->h, CURLOPT_PASSWORD, pw.c_str());
    curl_easy_setopt(p->h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(p->h, CURLOPT_TIMEOUT, m_timeout);
    curl_easy_setopt(p->h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(p->h, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(p->h, CURLOPT_DEBUGFUNCTION, on_debug);
    curl_easy_setopt(p->h, CURLOPT_DEBUGDATA, &p->lines);
    curl_easy_setopt(p->h, CURLOPT_WRITEFUNCTION, discard);
    m_pop3 = std::move(p);
    const long count = pop3_count();
    if (count < 0) {
        const int code = static_cast<int>(count);
        tell(
            "Error POP3 Connect, maybe bad authentication: " + std::to_string(code) + " " + m_error,
            quiet);
        m_pop3.reset();
        return code;
    }
    return 1;
}

long MailEngine::pop3_count() {
    if (!m_pop3) return fail(kMailNoCode, "No hay conexion POP3");
    CURL* h = m_pop3->h;
    m_pop3->lines.clear();
    curl_easy_setopt(h, CURLOPT_URL, m_pop3->url.c_str());
    curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "STAT");
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK) return fail(-static_cast<int>(rc), curl_easy_strerror(rc));
    // "+OK <count> <octets>": the last positive reply is STAT's.
    for (auto it = m_pop3->lines.rbegin(); it != m_pop3->lines.rend(); ++it) {
        if (!starts_with(*it, "+OK ")) continue;
        const auto parts = split(it->substr(4), ' ');
        if (!parts.empty() && !parts[0].empty() &&
            parts[0].find_first_not_of("0123456789") == std::string::npos)
            return std::strtol(parts[0].c_str(), nullptr, 10);
    }
    return fail(kMailNoCode, "Respuesta STAT ilegible");
}

int MailEngine::pop3_delete(long number) {
    if (!m_pop3) return fail(kMailNoCode, "No hay conexion POP3");
    CURL* h = m_pop3->h;
    const std::string url = m_pop3->url + std::to_string(number);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_CUSTOMREQUEST, "DELE");
    curl_easy_setopt(h, CURLOPT_NOBODY, 1L);
    const CURLcode rc = curl_easy_perform(h);
    if (rc != CURLE_OK) return fail(-static_cast<int>(rc), curl_easy_strerror(rc));
    return 1;
}

}  // namespace qz::services
