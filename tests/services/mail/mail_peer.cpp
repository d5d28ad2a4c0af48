#include "services/mail/mail_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

namespace qz::test {

namespace {

class Conn {
public:
    explicit Conn(int fd) : m_fd(fd) {}
    ~Conn() { ::close(m_fd); }
    void send(const std::string& s) {
        size_t done = 0;
        while (done < s.size()) {
            ssize_t n = ::send(m_fd, s.data() + done, s.size() - done, MSG_NOSIGNAL);
            if (n <= 0) return;
            done += static_cast<size_t>(n);
        }
    }
    // One line without its CR LF; false when the peer went away.
    bool line(std::string& out) {
        for (;;) {
            size_t nl = m_buf.find("\r\n");
            if (nl != std::string::npos) {
                out = m_buf.substr(0, nl);
                m_buf.erase(0, nl + 2);
                return true;
            }
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 10000) <= 0) return false;
            char buf[4096];
            ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
            if (n <= 0) return false;
            m_buf.append(buf, static_cast<size_t>(n));
        }
    }

private:
    int m_fd;
    std::string m_buf;
};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string unbase64(const std::string& in) {
    static const std::string a = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned v = 0;
    int bits = 0;
    for (char c : in) {
        size_t i = a.find(c);
        if (i == std::string::npos) continue;
        v = (v << 6) | static_cast<unsigned>(i);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((v >> bits) & 0xFF);
        }
    }
    return out;
}

std::string arg_of(const std::string& line) {
    size_t sp = line.find(' ');
    return sp == std::string::npos ? "" : line.substr(sp + 1);
}

}  // namespace

MailPeer::MailPeer(Kind kind, std::string auth) : m_kind(kind), m_auth(std::move(auth)) {
    m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    ::setsockopt(m_listen, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a);
    ::listen(m_listen, 8);
    socklen_t len = sizeof a;
    ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &len);
    m_port = ntohs(a.sin_port);
    m_thread = std::thread([this] { serve(); });
}

MailPeer::~MailPeer() {
    m_stop = true;
    ::shutdown(m_listen, SHUT_RDWR);
    m_thread.join();
    ::close(m_listen);
}

void MailPeer::serve() {
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd < 0) continue;
        if (m_kind == Kind::Smtp)
            smtp(fd);
        else
            pop3(fd);
    }
}

std::vector<SmtpSession> MailPeer::sessions() const {
    std::lock_guard<std::mutex> g(m_mu);
    return m_sessions;
}

std::vector<std::string> MailPeer::messages() const {
    std::vector<std::string> out;
    for (const auto& s : sessions())
        if (!s.data.empty()) out.push_back(s.data);
    return out;
}

void MailPeer::set_mailbox(std::vector<int> sizes) {
    std::lock_guard<std::mutex> g(m_mu);
    m_mailbox = std::move(sizes);
}

std::vector<int> MailPeer::mailbox() const {
    std::lock_guard<std::mutex> g(m_mu);
    return m_mailbox;
}

void MailPeer::smtp(int fd) {
    Conn c(fd);
    SmtpSession s;
    c.send("220 peer ESMTP\r\n");
    std::string line;
    while (c.line(line)) {
        const std::string cmd = upper(line.substr(0, line.find(' ')));
        if (cmd == "EHLO") {
            s.ehlo = arg_of(line);
            c.send("250-peer\r\n");
            if (!m_auth.empty()) c.send("250-AUTH " + m_auth + "\r\n");
            c.send("250 SIZE 10000000\r\n");
        } else if (cmd == "AUTH") {
            std::string rest = arg_of(line);
            s.auth_mech = upper(rest.substr(0, rest.find(' ')));
            std::string initial = rest.find(' ') == std::string::npos ? "" : arg_of(rest);
            if (s.auth_mech == "PLAIN") {
                if (initial.empty()) {
                    c.send("334 \r\n");
                    if (!c.line(initial)) break;
                }
                std::string d = unbase64(initial);
                size_t z1 = d.find('\0'), z2 = d.find('\0', z1 + 1);
                s.auth_user = d.substr(z1 + 1, z2 - z1 - 1);
                s.auth_pass = d.substr(z2 + 1);
            } else {
                if (initial.empty()) {
                    c.send("334 VXNlcm5hbWU6\r\n");
                    if (!c.line(initial)) break;
                }
                s.auth_user = unbase64(initial);
                c.send("334 UGFzc3dvcmQ6\r\n");
                if (!c.line(initial)) break;
                s.auth_pass = unbase64(initial);
            }
            c.send(s.auth_user == user && s.auth_pass == password ? "235 ok\r\n"
                                                                  : "535 bad credentials\r\n");
        } else if (cmd == "MAIL") {
            s.mail_from = line.substr(line.find(':') + 1);
            c.send("250 ok\r\n");
        } else if (cmd == "RCPT") {
            s.rcpt.push_back(line.substr(line.find(':') + 1));
            c.send("250 ok\r\n");
        } else if (cmd == "DATA") {
            c.send("354 go on\r\n");
            std::string data;
            while (c.line(line) && line != ".")
                data += (line.rfind("..", 0) == 0 ? line.substr(1) : line) + "\r\n";
            s.data = data;
            c.send("250 queued\r\n");
        } else if (cmd == "QUIT") {
            s.quit = true;
            // Recorded before the reply: the client may look at what arrived as soon as it has it.
            record(s);
            c.send("221 bye\r\n");
            return;
        } else if (cmd == "NOOP" || cmd == "RSET" || cmd == "HELO") {
            c.send("250 ok\r\n");
        } else {
            c.send("502 not here\r\n");
        }
    }
    record(s);
}

void MailPeer::record(const SmtpSession& s) {
    std::lock_guard<std::mutex> g(m_mu);
    m_sessions.push_back(s);
}

void MailPeer::pop3(int fd) {
    Conn c(fd);
    c.send("+OK peer POP3\r\n");
    std::string line, given_user;
    bool logged = false;
    std::set<int> deleted;
    while (c.line(line)) {
        const std::string cmd = upper(line.substr(0, line.find(' ')));
        std::vector<int> box = mailbox();
        if (cmd == "CAPA") {
            c.send("+OK\r\nUSER\r\n.\r\n");
        } else if (cmd == "USER") {
            given_user = arg_of(line);
            c.send("+OK\r\n");
        } else if (cmd == "PASS") {
            logged = given_user == user && arg_of(line) == password;
            c.send(logged ? "+OK logged in\r\n" : "-ERR bad login\r\n");
        } else if (!logged && cmd != "QUIT") {
            c.send("-ERR log in first\r\n");
        } else if (cmd == "STAT") {
            long n = 0, octets = 0;
            for (size_t i = 0; i < box.size(); ++i)
                if (!deleted.count(static_cast<int>(i) + 1)) ++n, octets += box[i];
            c.send("+OK " + std::to_string(n) + " " + std::to_string(octets) + "\r\n");
        } else if (cmd == "LIST") {
            c.send("+OK\r\n");
            for (size_t i = 0; i < box.size(); ++i)
                if (!deleted.count(static_cast<int>(i) + 1))
                    c.send(std::to_string(i + 1) + " " + std::to_string(box[i]) + "\r\n");
            c.send(".\r\n");
        } else if (cmd == "DELE") {
            int n = std::atoi(arg_of(line).c_str());
            if (n < 1 || n > static_cast<int>(box.size()) || deleted.count(n)) {
                c.send("-ERR no such message\r\n");
            } else {
                deleted.insert(n);
                c.send("+OK deleted\r\n");
            }
        } else if (cmd == "QUIT") {
            std::lock_guard<std::mutex> g(m_mu);
            std::vector<int> kept;
            for (size_t i = 0; i < m_mailbox.size(); ++i)
                if (!deleted.count(static_cast<int>(i) + 1)) kept.push_back(m_mailbox[i]);
            m_mailbox = kept;
            c.send("+OK bye\r\n");
            break;
        } else if (cmd == "NOOP" || cmd == "RSET") {
            if (cmd == "RSET") deleted.clear();
            c.send("+OK\r\n");
        } else {
            c.send("-ERR unknown\r\n");
        }
    }
}

int closed_port() {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

}  // namespace qz::test
