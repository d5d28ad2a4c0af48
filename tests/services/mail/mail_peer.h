#pragma once
// A small SMTP or POP3 server on 127.0.0.1 (ephemeral port) for the mail tests: it speaks just
// enough of each protocol for libcurl and records what it was told.
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qz::test {

struct SmtpSession {
    std::string ehlo, auth_mech, auth_user, auth_pass, mail_from;
    std::vector<std::string> rcpt;
    std::string data;  // the message as received, dot-unstuffed
    bool quit = false;
};

class MailPeer {
public:
    enum class Kind { Smtp, Pop3 };
    // `auth` is the AUTH line advertised after EHLO ("PLAIN LOGIN"; empty: no AUTH at all).
    explicit MailPeer(Kind kind, std::string auth = {});
    ~MailPeer();

    int port() const { return m_port; }
    std::string user = "user", password = "secret";

    std::vector<SmtpSession> sessions() const;
    // Messages received in completed DATA commands.
    std::vector<std::string> messages() const;

    // POP3: sizes of the messages in the mailbox; deletions are applied at QUIT.
    void set_mailbox(std::vector<int> sizes);
    std::vector<int> mailbox() const;

private:
    void serve();
    void smtp(int fd);
    void record(const SmtpSession& s);
    void pop3(int fd);

    Kind m_kind;
    std::string m_auth;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    mutable std::mutex m_mu;
    std::vector<SmtpSession> m_sessions;
    std::vector<int> m_mailbox;
};

// A port on 127.0.0.1 where nothing listens.
int closed_port();

}  // namespace qz::test
