#pragma once
// The mail engine: SMTP and POP3 over libcurl, with the four operations the rest of the system
// uses (CONNECTSEE, SENDMAILQUARTZEN, CONNECTPOP3, DISCONNECTSEE) and the two mailbox calls.
//
// libcurl opens one connection per transfer, so "connecting" checks the server (greeting, EHLO,
// TLS when offered, AUTH) and keeps the parameters; each message is then one transfer. The
// callers' contract is unchanged: every call returns an integer code, negative on failure.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "domain/session/settings.h"

namespace qz::services {

// No code came back from the engine (nothing was attempted).
inline constexpr int kMailNoCode = -999;

// The arguments of SENDMAILQUARTZEN, in its order.
struct MailMessage {
    std::string to, cc, bcc;  // addresses separated by ";" or ","
    std::string subject;
    std::string body;                      // HTML; "@NAME" names a file of MAIL/SEND
    std::string embedded;                  // comma-separated picture names of the HTML folder
    std::string alt_text;                  // plain-text alternative; empty for none
    std::string attachments;               // comma-separated file names
    std::string attach_folder;             // their folder; empty = the HTML folder
    int delete_flag = 0;                   // 1 = delete the attachments once sent
    std::string sender_addr, sender_name;  // empty = XEMAILADDR, XEMAILNAME
};

// Where the engine finds its files: the installation directory ("beside the executable").
struct MailPaths {
    std::string home;
    std::string html() const { return home + "/HTML"; }
    std::string send() const { return home + "/MAIL/SEND"; }
};

class MailEngine {
public:
    // `settings` is read at every call, so changes made to the running session apply at once.
    // `port` shows the engine's messages (null: none are shown).
    MailEngine(const domain::AppSettings& settings, MailPaths paths, UserPort* port = nullptr);
    ~MailEngine();
    MailEngine(const MailEngine&) = delete;
    MailEngine& operator=(const MailEngine&) = delete;

    // Checks the SMTP server with the session's settings. Returns 1, or a negative code.
    int CONNECTSEE(bool load = true, bool quiet = false);
    // Sends one HTML message. Returns 1, a negative code, or kMailNoCode when not connected or
    // the message could not even be put together.
    int SENDMAILQUARTZEN(const MailMessage& m);
    // Checks the POP3 mailbox; empty arguments take the session's settings.
    int CONNECTPOP3(bool load = true, bool quiet = false, const std::string& user = {},
                    const std::string& password = {}, const std::string& host = {},
                    std::optional<long> port = std::nullopt);
    // Number of messages in the mailbox (STAT), or a negative code.
    long pop3_count();
    // Deletes message `number` (1-based); 1 or a negative code.
    int pop3_delete(long number);
    void DISCONNECTSEE(bool unload = true);

    // The connection code while connected; 0 when not.
    long XSEECONNECTED() const { return m_connected; }
    // libcurl's text of the last failure.
    const std::string& last_error() const { return m_error; }
    // Seconds a transfer may take before it is abandoned.
    void set_timeout(long seconds) { m_timeout = seconds; }

private:
    struct Pop3;
    void tell(const std::string& text, bool quiet);
    int fail(int code, const std::string& text);

    const domain::AppSettings& m_settings;
    MailPaths m_paths;
    UserPort* m_port;
    long m_connected = 0;
    bool m_quiet = false;
    long m_timeout = 60;
    std::string m_error;
    std::unique_ptr<Pop3> m_pop3;
};

// Splits "a@x; b@y, c@z" into trimmed non-empty addresses. A single address is checked by
// qz::valid_email (core/text.h), which the mail settings and every form with an address share.
std::vector<std::string> split_addresses(const std::string& list);

}  // namespace qz::services
