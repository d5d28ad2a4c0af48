// The server connection's guards: encoding, time-outs, a server that never answers.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "data/pg_connection.h"
#include "support/test_db.h"

using namespace qz::data;
using Clock = std::chrono::steady_clock;

namespace {

const char* conninfo() { return std::getenv("QZ_TEST_PG"); }

// A listener on 127.0.0.1 that accepts connections and never says a word.
class SilentServer {
public:
    SilentServer() {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_fd, 4);
        socklen_t len = sizeof a;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &len);
        m_port = ntohs(a.sin_port);
    }
    ~SilentServer() { ::close(m_fd); }
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

}  // namespace

TEST(PgConnection, ASilentServerIsGivenUpWithItsNameInTheMessage) {
    SilentServer server;
    const std::string where = "127.0.0.1:" + std::to_string(server.port());
    const auto start = Clock::now();
    try {
        PgConnection c("host=127.0.0.1 port=" + std::to_string(server.port()) +
                       " connect_timeout=2 user=x dbname=x");
        FAIL() << "a server that never answers cannot be connected to";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find(where), std::string::npos) << e.what();
    }
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(8));
}

TEST(PgConnection, AStatementThatOutlastsItsTimeOutEndsTheConnection) {
    if (!conninfo()) GTEST_SKIP() << "PostgreSQL not configured";
    PgConnection c(conninfo());
    c.statement_timeout = std::chrono::milliseconds(500);
    const auto start = Clock::now();
    EXPECT_THROW(c.exec("SELECT pg_sleep(5)"), DbError);
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(3));
    try {
        c.exec("SELECT 1");
        FAIL() << "the connection was given up";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Se perdió la conexión"), std::string::npos);
    }
    c.rollback();  // nothing left to undo: never throws
}

TEST(PgConnection, ACommitAnsweredWithRollbackFails) {
    if (!conninfo()) GTEST_SKIP() << "PostgreSQL not configured";
    PgConnection c(conninfo());
    c.begin();
    try {
        c.exec("SELECT 1 / 0");
    } catch (const DbError&) {
    }
    EXPECT_THROW(c.commit(), DbError);
    EXPECT_FALSE(c.in_transaction());
    EXPECT_EQ(c.scalar("SELECT 1"), "1");
}

TEST(PgConnection, ADatabaseNotInUtf8IsRefused) {
    if (!conninfo()) GTEST_SKIP() << "PostgreSQL not configured";
    {
        PgConnection admin(conninfo());
        admin.exec("DROP DATABASE IF EXISTS qz_latin1");
        admin.exec("CREATE DATABASE qz_latin1 ENCODING 'LATIN1' LC_COLLATE 'C' LC_CTYPE 'C' "
                   "TEMPLATE template0");
    }
    try {
        PgConnection c(std::string(conninfo()) + " dbname=qz_latin1");
        FAIL() << "keys with accents would be padded by bytes";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("UTF8"), std::string::npos) << e.what();
    }
    PgConnection(conninfo()).exec("DROP DATABASE qz_latin1");
}
