#include "services/mail/mail_queue.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/text.h"
#include "data/table_ops.h"
#include "services/mail/mail_log.h"
#include "services/mail/mail_peer.h"
#include "services/mail/mail_service.h"
#include "services/mail/mail_settings.h"
#include "support/test_db.h"

namespace qz::services {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

TEST(MailTemplate, FieldNamesAcrossChunkBoundariesAreReplacedOnce) {
    // With chunks of 16, "XLONGFIELD" starts at 12 and crosses the first boundary, the
    // picture tag crosses a later one.
    const std::string tmpl = "0123456789abXLONGFIELD-XS-<img src=\"LOGO.JPG\">-XS-XLONGFIELD";
    const MailFields fields = {{"XLONGFIELD", "[XS]"}, {"XS", "s"}};
    for (size_t chunk : {size_t{3}, size_t{7}, size_t{16}, kTransChunk}) {
        std::istringstream in(tmpl);
        std::ostringstream out;
        auto pictures = TRANS_FILE(in, out, fields, chunk);
        // Values are substituted in list order over the whole text, once.
        EXPECT_EQ(out.str(), "0123456789ab[s]-s-<img src=\"cid:LOGO.JPG\">-s-[s]") << chunk;
        EXPECT_EQ(pictures, std::vector<std::string>{"LOGO.JPG"});
    }
    std::istringstream in("<img src=\"http://x/y.png\"><img src='cid:A.JPG'>");
    std::ostringstream out;
    EXPECT_TRUE(TRANS_FILE(in, out, {}).empty());
}

TEST(MailTemplate, LongTemplateKeepsEveryByte) {
    std::string tmpl;
    for (int i = 0; i < 3000; ++i) tmpl += "linea XVAL ñ " + std::to_string(i) + "\n";
    std::istringstream in(tmpl);
    std::ostringstream out;
    TRANS_FILE(in, out, {{"XVAL", "valor"}});
    std::string expected = tmpl;
    for (size_t at = expected.find("XVAL"); at != std::string::npos; at = expected.find("XVAL"))
        expected.replace(at, 4, "valor");
    EXPECT_EQ(out.str(), expected);
}

struct MailQueueTest : ::testing::Test {
    test::TestInstall inst{test::Engine::SQLite};
    std::unique_ptr<data::Db> db = inst.open();
    domain::AppSettings s;
    MailPaths paths{inst.home()};

    void SetUp() override {
        fs::create_directories(fs::path(paths.html()));
        s.XEMAILHOST = "127.0.0.1";
        s.XEMAILADDR = "spa@hotel.test";
        s.XEMAILNAME = "Spa";
        inst.clock.freeze(DateTime{Date(2026, 3, 4), "10:20:30"});
    }
    long queue_plain(const std::string& to, const std::string& body = "texto") {
        auto q = data::USE(*db, "E_MSGS");
        data::ADD_NEW_REC(*q);
        q->FieldPut("TO_USER", to);
        q->FieldPut("SUBJECT", "Asunto " + to);
        q->FieldPut("BODY", body);
        q->FieldPut("USERADDR", "spa@hotel.test");
        q->FieldPut("LISTO", Decimal(1));
        q->FieldPut("FECHA", Date(2026, 3, 4));
        q->FieldPut("HORA", "10:00:00");
        data::UNLOCK_NEW_REC(*q);
        long r = q->RecNo();
        data::KILLTABLA(*db, q);
        return r;
    }
    struct Row {
        int enviado, err_count;
        std::string err_text, f_envio;
    };
    Row row(long recno) {
        auto q = data::USE(*db, "E_MSGS");
        q->GoTo(recno);
        Row r{static_cast<int>(q->num("ENVIADO").to_int()),
              static_cast<int>(q->num("ERR_COUNT").to_int()), trim(q->str("ERR_TEXT")),
              q->date("F_ENVIO").dtos()};
        data::KILLTABLA(*db, q);
        return r;
    }
};

TEST_F(MailQueueTest, SendReglasWritesBodyAndQueuesRow) {
    std::ofstream(fs::path(paths.html()) / "SPA.HTM")
        << "<p>XUSUARIO XDATE XHOTEL</p><img src=\"SPA.JPG\">XINFO1";
    ReglasArgs a;
    a.business = "01";
    a.hotel = "Hotel Sol";
    a.to = "ana@x.test";
    a.subject = "SPA Reservation";
    a.user = "ana@x.test";
    a.fields = {{"XDATE", "04/03/26"}, {"XINFO1", "Masaje<br>"}};
    a.template_file = "SPA.HTM";
    a.cod_res = "R1";
    const auto recno = SEND_REGLAS(*db, s, paths, inst.port, a);
    ASSERT_TRUE(recno);
    EXPECT_TRUE(fs::exists(fs::path(inst.home()) / "MAIL" / "YES"));
    auto q = data::USE(*db, "E_MSGS");
    q->GoTo(*recno);
    const std::string file = trim(q->str("HTML_FILE"));
    EXPECT_EQ(file.size(), 12u);
    EXPECT_EQ(file.front(), 'T');
    EXPECT_EQ(slurp(fs::path(paths.send()) / file),
              "<p>ana@x.test 04/03/26 Hotel Sol</p><img src=\"cid:SPA.JPG\">Masaje<br>");
    EXPECT_EQ(trim(q->str("HTML_EMBED")), "SPA.JPG");
    EXPECT_EQ(trim(q->str("MAIL")).substr(0, 8), "20260304");
    EXPECT_EQ(trim(q->str("MAIL")).size(), 18u);
    EXPECT_EQ(q->num("LISTO").to_int(), 1);
    EXPECT_EQ(q->num("HTML").to_int(), 1);
    EXPECT_EQ(trim(q->str("USERADDR")), "spa@hotel.test");
    data::KILLTABLA(*db, q);

    a.template_file = "NONE.HTM";
    EXPECT_FALSE(SEND_REGLAS(*db, s, paths, inst.port, a));
    EXPECT_FALSE(inst.port.messages.empty());
}

TEST_F(MailQueueTest, PassEmptiesQueueAndFailuresAreCountedThenGivenUp) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    s.XEMAIL_SMTP_PORT = peer.port();
    std::vector<long> rows;
    for (int i = 0; i < 4; ++i) rows.push_back(queue_plain("g" + std::to_string(i) + "@x.test"));
    const long html_row =
        *SEND_NOTIFICATION(*db, s, paths, inst.port,
                           {"01", "Hotel", "h@x.test", "Archivo", "Archivo R.PDF", "Ventas",
                            "ENVIO AUTOMATICO", "Descripción:", "", ""});
    MailEngine engine(s, paths, &inst.port);
    auto rep = run_mail_pass(*db, engine);
    EXPECT_EQ(rep.sent, 5);
    EXPECT_EQ(rep.failed, 0);
    EXPECT_EQ(peer.messages().size(), 5u);
    for (long r : rows) EXPECT_EQ(row(r).enviado, 1);
    EXPECT_EQ(row(html_row).f_envio, "20260304");
    EXPECT_NE(peer.messages().back().find("Archivo R.PDF"), std::string::npos);
    EXPECT_EQ(run_mail_pass(*db, engine).sent, 0);  // nothing left

    // The server goes away: each pass raises ERR_COUNT until the row is given up.
    s.XEMAIL_SMTP_PORT = test::closed_port();
    const long bad = queue_plain("late@x.test");
    for (int pass = 1; pass <= kMaxSendFailures + 2; ++pass) run_mail_pass(*db, engine);
    Row r = row(bad);
    EXPECT_EQ(r.enviado, 0);
    EXPECT_EQ(r.err_count, kMaxSendFailures);
    EXPECT_EQ(r.err_text.front(), '-');
}

TEST_F(MailQueueTest, SendRecordNowMarksTheRow) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    s.XEMAIL_SMTP_PORT = peer.port();
    const long r = queue_plain("now@x.test", "linea 1\r\nlinea <2>");
    MailEngine engine(s, paths, &inst.port);
    EXPECT_EQ(send_record_now(*db, engine, r), SendOutcome::Sent);
    EXPECT_EQ(row(r).enviado, 1);
    EXPECT_NE(peer.messages().at(0).find("linea &lt;2&gt;"), std::string::npos);

    s.XEMAIL_SMTP_PORT = test::closed_port();
    const long r2 = queue_plain("later@x.test");
    int code = 0;
    EXPECT_EQ(send_record_now(*db, engine, r2, &code), SendOutcome::ConnectFailed);
    EXPECT_LT(code, 0);
    EXPECT_EQ(row(r2).err_count, 1);
    EXPECT_EQ(row(r2).err_text.rfind(std::to_string(code), 0), 0u);
}

TEST_F(MailQueueTest, Heartbeat) {
    EXPECT_EQ(GET_HEARTBEAT(inst.home()), -1);
    write_heartbeat(inst.home(), 1000);
    EXPECT_EQ(GET_HEARTBEAT(inst.home(), 1301), 301);
    EXPECT_TRUE(mail_service_silent(301));
    EXPECT_FALSE(mail_service_silent(300));
    EXPECT_FALSE(mail_service_silent(-1));
}

TEST_F(MailQueueTest, CommandLineOncePassSendsTheQueue) {
    test::MailPeer peer(test::MailPeer::Kind::Smtp);
    {
        auto m = data::USE(*db, "DEFMAIL");
        data::ADD_NEW_REC(*m);
        m->FieldPut("HOST", "127.0.0.1");
        m->FieldPut("SMTP_PORT", Decimal(peer.port()));
        m->FieldPut("USERADDR", "spa@hotel.test");
        data::UNLOCK_NEW_REC(*m);
        data::KILLTABLA(*db, m);
    }
    const long a = queue_plain("a@x.test"), b = queue_plain("b@x.test");
    const std::string cli = qz::test::tools_dir() + "/../src/app/quartzen";
    auto run = [&](std::vector<std::string> args) {
        int pid = fork();
        if (pid == 0) {
            std::vector<char*> argv{const_cast<char*>(cli.c_str())};
            for (auto& s : args) argv.push_back(s.data());
            argv.push_back(nullptr);
            execv(cli.c_str(), argv.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run({"--home", inst.home(), "mail-service", "--once"}), 0);
    EXPECT_EQ(row(a).enviado, 1);
    EXPECT_EQ(row(b).enviado, 1);
    EXPECT_EQ(peer.messages().size(), 2u);
    EXPECT_GE(GET_HEARTBEAT(inst.home()), 0);
    EXPECT_EQ(run({"--home", inst.home(), "mail-service", "--twice"}), 2);
}

TEST_F(MailQueueTest, LogReadsNewestFirstAcrossSentAndUnsentInPages) {
    // Rows written in a shuffled order of time, some sent.
    const std::vector<std::pair<std::string, int>> rows = {
        {"10:00:03", 1}, {"10:00:01", 0}, {"10:00:05", 0}, {"10:00:02", 1}, {"10:00:04", 1}};
    for (const auto& [hora, sent] : rows) {
        auto q = data::USE(*db, "E_MSGS");
        data::ADD_NEW_REC(*q);
        q->FieldPut("FECHA", Date(2026, 3, 4));
        q->FieldPut("HORA", hora);
        q->FieldPut("TO_USER", hora);
        q->FieldPut("ENVIADO", Decimal(sent));
        data::UNLOCK_NEW_REC(*q);
        data::KILLTABLA(*db, q);
    }
    MailLogReader reader(*db);
    std::vector<std::string> seen;
    for (auto page = reader.next(2); !page.empty(); page = reader.next(2)) {
        EXPECT_LE(page.size(), 2u);
        for (const auto& r : page) seen.push_back(r.hora);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"10:00:05", "10:00:04", "10:00:03", "10:00:02",
                                              "10:00:01"}));
    EXPECT_TRUE(reader.at_end());
}

TEST(MailSettingsForm, ChecksAndKeepsTheUsersOwnSender) {
    MailSettingsForm f;
    EXPECT_EQ(check_mail_form(f), "Debe indicar el servidor de correo (Host)");
    f.HOST = "smtp.hotel.test";
    f.USERADDR = "spa@hotel";
    EXPECT_EQ(check_mail_form(f), "Dirección del remitente: email inválido");
    f.USERADDR = "spa@hotel.test";
    f.SENDMAIL = 1;
    EXPECT_EQ(check_mail_form(f), "Debe indicar la dirección de soporte para enviar los errores");
    f.DESTINO = "soporte@hotel.test";
    EXPECT_EQ(check_mail_form(f), "");

    MailSettingsForm stored;
    stored.USERNAME = "Spa";
    stored.USERADDR = "old@hotel.test";
    domain::AppSettings s;
    s.XEMAILNAME = "Ana Mora";  // from the user's record at login
    s.XEMAILADDR = "old@hotel.test";
    f.USERNAME = "Spa Nuevo";
    apply_mail_form(s, stored, f);
    EXPECT_EQ(s.XEMAILNAME, "Ana Mora");
    EXPECT_EQ(s.XEMAILADDR, "spa@hotel.test");
    EXPECT_EQ(s.XEMAILHOST, "smtp.hotel.test");
    EXPECT_EQ(s.XEMAILDEST, "soporte@hotel.test");
}

}  // namespace
}  // namespace qz::services
