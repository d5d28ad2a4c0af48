#include "services/mail/mail_engine.h"

#include "core/text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "services/mail/mail_peer.h"
#include "support/test_db.h"

namespace qz::services {
namespace {

namespace fs = std::filesystem;

struct MailEngineTest : ::testing::Test {
    fs::path home = fs::temp_directory_path() / ("qz_mail_" + std::to_string(getpid()));
    domain::AppSettings s;
    test::ScriptedPort port;

    void SetUp() override {
        fs::remove_all(home);
        fs::create_directories(home / "HTML");
        fs::create_directories(home / "MAIL" / "SEND");
        s.XEMAILHOST = "127.0.0.1";
        s.XEMAILADDR = "spa@hotel.test";
        s.XEMAILNAME = "Spa Hotel";
    }
    void TearDown() override { fs::remove_all(home); }
    void write(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    MailMessage simple() {
        MailMessage m;
        m.to = "guest@example.test";
        m.subject = "Reserva";
        m.body = "<p>Hola</p>";
        return m;
    }
};

TEST_F(MailEngineTest, SendsWithoutAuthAndHeaders) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    s.XEMAIL_SMTP_PORT = peer.port();
    MailEngine e(s, {home.string()}, &port);
    ASSERT_EQ(e.CONNECTSEE(), 1);
    EXPECT_EQ(e.XSEECONNECTED(), 1);
    MailMessage m = simple();
    m.cc = "a@x.test; b@x.test";
    ASSERT_EQ(e.SENDMAILQUARTZEN(m), 1) << e.last_error();
    e.DISCONNECTSEE();
    EXPECT_EQ(e.XSEECONNECTED(), 0);

    auto msgs = peer.messages();
    ASSERT_EQ(msgs.size(), 1u);
    const std::string& d = msgs[0];
    EXPECT_NE(d.find("From: Spa Hotel <spa@hotel.test>"), std::string::npos) << d;
    EXPECT_NE(d.find("X-Priority: Normal"), std::string::npos);
    EXPECT_NE(d.find("X-Sender: QUARTZEN Hotel Software"), std::string::npos);
    EXPECT_NE(d.find("Subject: Reserva"), std::string::npos);
    EXPECT_NE(d.find("text/html"), std::string::npos);
    auto sess = peer.sessions();
    const auto& sent = sess.back();
    EXPECT_EQ(sent.mail_from, "<spa@hotel.test>");
    EXPECT_EQ(sent.rcpt,
              (std::vector<std::string>{"<guest@example.test>", "<a@x.test>", "<b@x.test>"}));
    EXPECT_TRUE(sent.auth_user.empty());
}

TEST_F(MailEngineTest, AuthenticatesWithPlainAndLogin) {
    for (const char* mech : {"PLAIN", "LOGIN"}) {
        test::MailPeer peer(test::MailPeer::Kind::Smtp, mech);
        s.XEMAIL_SMTP_PORT = peer.port();
        s.XEMAILAUTH = 1;
        s.XEMAIL_AU = "user";
        s.XEMAIL_AP = "secret";
        MailEngine e(s, {home.string()}, &port);
        ASSERT_EQ(e.CONNECTSEE(), 1) << mech << " " << e.last_error();
        ASSERT_EQ(e.SENDMAILQUARTZEN(simple()), 1) << mech;
        auto sess = peer.sessions();
        EXPECT_EQ(sess.back().auth_mech, mech);
        EXPECT_EQ(sess.back().auth_user, "user");

        s.XEMAIL_AP = "wrong";
        port.messages.clear();
        EXPECT_LT(e.CONNECTSEE(), 0) << mech;
        EXPECT_EQ(e.XSEECONNECTED(), 0);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_NE(port.messages[0].find("Error SMTP Connect, maybe bad authentication: -"),
                  std::string::npos);
        EXPECT_EQ(e.SENDMAILQUARTZEN(simple()), kMailNoCode);
    }
}

TEST_F(MailEngineTest, EmbedsPicturesAttachesFilesAndDeletes) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    s.XEMAIL_SMTP_PORT = peer.port();
    write(home / "HTML" / "LOGO.JPG", std::string("\xFF\xD8\xFF\xE0picture", 11));
    fs::create_directories(home / "OUT");
    write(home / "OUT" / "REPORT.PDF", "%PDF-1.4 report");
    write(home / "MAIL" / "SEND" / "T1234567.HTM", "<img src=\"cid:LOGO.JPG\"><p>line\r\n.dot</p>");
    MailEngine e(s, {home.string()}, &port);
    ASSERT_EQ(e.CONNECTSEE(), 1);
    MailMessage m = simple();
    m.body = "@T1234567.HTM";
    m.embedded = "LOGO.JPG";
    m.attachments = "REPORT.PDF";
    m.attach_folder = (home / "OUT").string();
    m.delete_flag = 1;
    ASSERT_EQ(e.SENDMAILQUARTZEN(m), 1) << e.last_error();
    const std::string d = peer.messages().at(0);
    EXPECT_NE(d.find("multipart/mixed"), std::string::npos) << d;
    EXPECT_NE(d.find("multipart/related"), std::string::npos);
    EXPECT_NE(d.find("Content-ID: <LOGO.JPG>"), std::string::npos);
    EXPECT_NE(d.find("Content-Type: image/jpeg"), std::string::npos);
    EXPECT_NE(d.find("Content-Type: application/pdf"), std::string::npos);
    EXPECT_NE(d.find("filename=\"REPORT.PDF\""), std::string::npos);
    EXPECT_NE(d.find(".dot"), std::string::npos);  // dot-stuffing undone by the peer intact
    // The related part (HTML, picture) comes before the attachment.
    EXPECT_LT(d.find("Content-ID: <LOGO.JPG>"), d.find("REPORT.PDF"));
    EXPECT_FALSE(fs::exists(home / "MAIL" / "SEND" / "T1234567.HTM"));
    EXPECT_FALSE(fs::exists(home / "OUT" / "REPORT.PDF"));
    EXPECT_TRUE(fs::exists(home / "HTML" / "LOGO.JPG"));
}

TEST_F(MailEngineTest, DefaultFolderKeepsAttachmentsAndMissingFilesFail) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    s.XEMAIL_SMTP_PORT = peer.port();
    write(home / "HTML" / "INFO.TXT", "info");
    MailEngine e(s, {home.string()}, &port);
    ASSERT_EQ(e.CONNECTSEE(), 1);
    MailMessage m = simple();
    m.attachments = "INFO.TXT";
    m.delete_flag = 1;  // drops to 0: the HTML folder's files are the installation's
    ASSERT_EQ(e.SENDMAILQUARTZEN(m), 1);
    EXPECT_TRUE(fs::exists(home / "HTML" / "INFO.TXT"));

    m.attachments = "MISSING.PDF";
    EXPECT_EQ(e.SENDMAILQUARTZEN(m), kMailNoCode);
    m.attachments.clear();
    m.body = "@NOFILE.HTM";
    EXPECT_EQ(e.SENDMAILQUARTZEN(m), kMailNoCode);
    EXPECT_EQ(peer.messages().size(), 1u);
}

TEST_F(MailEngineTest, RefusedConnectionGivesNegativeCode) {
    s.XEMAIL_SMTP_PORT = test::closed_port();
    MailEngine e(s, {home.string()}, &port);
    const int rc = e.CONNECTSEE(true, true);
    EXPECT_LT(rc, 0);
    EXPECT_TRUE(port.messages.empty());  // quiet
    EXPECT_EQ(e.XSEECONNECTED(), 0);
}

TEST_F(MailEngineTest, Pop3CountsAndDeletes) {
    test::MailPeer peer(test::MailPeer::Kind::Pop3);
    peer.set_mailbox({100, 200, 300});
    s.XEMAIL_POP3_PORT = peer.port();
    MailEngine e(s, {home.string()}, &port);
    ASSERT_EQ(e.CONNECTPOP3(true, false, "user", "secret"), 1) << e.last_error();
    EXPECT_EQ(e.pop3_count(), 3);
    EXPECT_EQ(e.pop3_delete(2), 1);
    EXPECT_EQ(e.pop3_count(), 2);
    EXPECT_LT(e.pop3_delete(9), 0);
    e.DISCONNECTSEE();
    EXPECT_EQ(peer.mailbox(), (std::vector<int>{100, 300}));

    EXPECT_LT(e.CONNECTPOP3(true, false, "user", "bad"), 0);
    ASSERT_FALSE(port.messages.empty());
    EXPECT_NE(port.messages.back().find("Error POP3 Connect, maybe bad authentication: "),
              std::string::npos);
}

TEST(MailAddress, Validation) {
    EXPECT_TRUE(valid_email("ana@hotel.cr"));
    EXPECT_TRUE(valid_email(" ana.b@mail.hotel.cr "));
    for (const char* bad : {"", "ana", "@hotel.cr", "ana@hotel", "ana@@hotel.cr", "a b@hotel.cr",
                            "ana@hotel.", "ana@.cr", "a@b..cr", "a@b.cr;c@d.cr"})
        EXPECT_FALSE(valid_email(bad)) << bad;
    EXPECT_EQ(split_addresses("a@x.cr; <b@x.cr>,, c@x.cr "),
              (std::vector<std::string>{"a@x.cr", "b@x.cr", "c@x.cr"}));
    EXPECT_EQ(split_addresses("a@x.cr\r\nBcc: e@vil.cr; d@x.cr"),
              std::vector<std::string>{"d@x.cr"});
}

}  // namespace
}  // namespace qz::services
