#include "domain/session/error_handler.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "core/decimal.h"
#include "core/stamp.h"
#include "core/text.h"
#include "data/pg_connection.h"
#include "data/sqlite_connection.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/crash_marker.h"
#include "domain/session/log_sessions.h"
#include "domain/session/log_viewers.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {

ErrorInfo open_refused(bool can_default) {
    ErrorInfo i;
    i.gen_code = kGenOpen;
    i.os_code = kOsSharingViolation;
    i.can_default = can_default;
    return i;
}

}  // namespace

TEST(ErrorClassification, OnlyContentionBecomesARetry) {
    try {
        (void)(Decimal(1) / Decimal(0));
        FAIL() << "division by zero must throw";
    } catch (const std::exception& e) {
        EXPECT_EQ(classify(e), ErrorClass::Absorb);
    }
    EXPECT_EQ(classify(DbError("database is locked")), ErrorClass::Retry);
    EXPECT_EQ(classify(DbError("ERROR:  canceling statement due to lock timeout [UPDATE x]")),
              ErrorClass::Retry);
    EXPECT_EQ(classify(DbError("ERROR:  deadlock detected")), ErrorClass::Retry);
    // The table layer's own give-ups inside a transaction are contention too.
    EXPECT_EQ(classify(TransactionAborted("El dato se encuentra bloqueado: LOG_E_S001/3")),
              ErrorClass::Retry);
    ErrorInfo open = describe(TransactionAborted("No se puede abrir archivo: /q/BASES/ERROR"));
    EXPECT_EQ(classify(open), ErrorClass::Retry);
    EXPECT_EQ(open.filename, "/q/BASES/ERROR");
    // Contention counts only when the operation can give up with a default.
    EXPECT_EQ(classify(open_refused(false)), ErrorClass::Window);
    EXPECT_EQ(classify(open_refused(true)), ErrorClass::Retry);

    EXPECT_EQ(classify(DbError("cannot commit - no transaction is active")), ErrorClass::Absorb);
    EXPECT_EQ(classify(DbError("cannot rollback - no transaction is active")), ErrorClass::Absorb);
    EXPECT_EQ(classify(DbError("UNIQUE constraint failed: NEGOCIOS.CODIGO")), ErrorClass::Window);
    EXPECT_EQ(classify(TransactionAborted("La transacción fue anulada por un bloque interno")),
              ErrorClass::Window);
    EXPECT_EQ(classify(std::runtime_error("database is locked")), ErrorClass::Window)
        << "only the data layer speaks for the engine";
    EXPECT_EQ(classify(DecimalError("desbordamiento numérico")), ErrorClass::Window);
}

TEST(ErrorClassification, RealSqliteContentionIsRecognised) {
    test::TestInstall inst(Engine::SQLite);
    SqliteConnection holder(sqlite_path(inst.home()), 0);
    SqliteConnection other(sqlite_path(inst.home()), 0);
    holder.begin();
    holder.exec("DELETE FROM " + quote_ident("ERROR"));  // takes the write lock
    other.begin();
    try {
        other.exec("DELETE FROM " + quote_ident("ERROR"));
        FAIL() << "a second writer without a busy timeout must be refused";
    } catch (const DbError& e) {
        EXPECT_EQ(classify(e), ErrorClass::Retry) << e.what();
    }
    holder.rollback();
}

TEST(ErrorClassification, RealPostgresLockTimeoutIsRecognised) {
    if (!test::engine_available(Engine::PostgreSQL)) GTEST_SKIP() << "PostgreSQL not configured";
    test::TestInstall inst(Engine::PostgreSQL);
    PgConnection holder(inst.conninfo(), inst.schema());
    PgConnection other(inst.conninfo(), inst.schema());
    holder.begin();
    holder.exec("LOCK TABLE " + quote_ident("ERROR") + " IN ACCESS EXCLUSIVE MODE");
    other.exec("SET lock_timeout = '50ms'");
    try {
        other.exec("SELECT count(*) FROM " + quote_ident("ERROR"));
        FAIL() << "the table is held";
    } catch (const DbError& e) {
        EXPECT_EQ(classify(e), ErrorClass::Retry) << e.what();
    }
    holder.rollback();
}

TEST(ErrorTexts, MessageAndDetailFollowTheSupportFormat) {
    ErrorInfo i;
    i.severity = kSeverityWarning;
    EXPECT_EQ(error_message(i),
              "Warning ???"
              "/???");
    i.severity = kSeverityError;
    i.subsystem = "SQLITE";
    i.sub_code = kSubFileBusy;
    i.description = "sin espacio";
    i.operation = "APPEND";
    EXPECT_EQ(error_message(i), "Error SQLITE/2006  sin espacio: APPEND");
    i.filename = "ERROR";
    EXPECT_EQ(error_message(i), "Error SQLITE/2006  sin espacio: ERROR");

    i.gen_code = kGenOpen;
    i.os_code = kOsSharingViolation;
    i.calls = {{"PROCESA_ABONO", 120}, {"anonymous", 0}, {"Principal::DO_ACTION", 7}};
    EXPECT_EQ(error_detail(i),
              "File: ERROR GenCode: 21 OsCode: 32\r\nCalled from PROCESA_ABONO(120)\r\n"
              "Called from Principal::DO_ACTION(7)");
}

TEST(ErrorTexts, ThrowSiteIsInnermostAndTheCatchingBoundaryOutermost) {
    ErrorHandler h;
    ErrorOutcome out;
    ErrorInfo info;
    info.description = "fallo";
    try {
        throw SystemError(info);
    } catch (const std::exception& e) {
        out = h.handle(e);
    }
    ASSERT_TRUE(out.window);
    std::vector<long> lines;
    for (const auto& l : split(out.window->detail_box, '\n')) {
        if (!starts_with(l, "Called from ")) continue;
        // The frames name the function that threw and the one that caught, never the
        // constructor of the error.
        EXPECT_NE(l.find("_Test::TestBody("), std::string::npos) << l;
        lines.push_back(std::stol(l.substr(l.rfind('(') + 1)));
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_LT(lines[0], lines[1]);
}

class ErrorHandlerTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        db->XUSER_ABREVIA = "ANA";
        at("10:00:00");
        settings.EXT_MODULO = "SPA";
        settings.XEMAILDEST = "soporte@quartzen.test";
        settings.XEMAIL_ID = "Hotel Playa";
        settings.XEMAILNAME = "Recepcion";
        settings.XEMAILADDR = "recepcion@quartzen.test";
        rec_e_s = log_session_entry(*db, {"HOTEL", "ANA", "SPA"}, "Ana Mora");
        handler.attach(db.get());
        handler.set_settings(&settings);
        handler.set_session_log(rec_e_s);
    }
    void at(const std::string& time) { inst->clock.freeze(DateTime{Date(2026, 3, 15), time}); }
    long count(const std::string& table) { return USE(*db, table, "")->KeyCount(); }
    void add_currency(const std::string& code) {
        auto mon = USE(*db, "MONEDAS");
        ADD_NEW_REC(*mon);
        mon->FieldPut("NEGOCIO", std::string("HOTEL"));
        mon->FieldPut("CODIGO", code);
        UNLOCK_NEW_REC(*mon);
        KILLTABLA(*db, mon);
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
    AppSettings settings;
    ErrorHandler handler;
    long rec_e_s = 0;
};

TEST_P(ErrorHandlerTest, FailureInAPostingIsRolledBackRecordedMarkedAndMailed) {
    START_TRANSACTION(*db, 2, kTransPayment);
    add_currency("US");
    ErrorOutcome out = handler.handle(std::runtime_error("índice fuera de rango"));
    ASSERT_EQ(out.kind, ErrorClass::Window);
    ASSERT_TRUE(out.window);
    const ErrorWindow& w = *out.window;
    const std::string message = "Error BASE/???  índice fuera de rango";
    EXPECT_EQ(w.message, message);
    EXPECT_EQ(db->XADSTRANS, 0);
    EXPECT_EQ(count("MONEDAS"), 0) << "the posting's writes are undone";

    auto rolls = rollback_log(*db);
    ASSERT_EQ(rolls.size(), 1u);
    EXPECT_EQ(rolls[0].motivo, message);
    EXPECT_EQ(rolls[0].trans_id, kTransPayment);

    auto errors = error_log(*db);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].descrip, message);
    EXPECT_EQ(errors[0].fecha, Date(2026, 3, 15));
    EXPECT_EQ(errors[0].hora, "10:00:00");
    EXPECT_TRUE(starts_with(errors[0].detalle, "File:  GenCode: 0 OsCode: 0\r\nCalled from "));
    EXPECT_TRUE(starts_with(errors[0].info, os_user_name() + " / " + computer_name()));

    auto sessions = session_log(*db);
    ASSERT_EQ(sessions.size(), 1u);
    EXPECT_TRUE(sessions[0].fatal);
    EXPECT_EQ(sessions[0].hora_sal, "10:00:00");
    EXPECT_EQ(sessions[0].desc_err, fatal_error_text(message, errors[0].detalle));

    EXPECT_EQ(w.header,
              "Módulo  : SPA\r\nFecha/H.: 15/03/26 10:00:00\r\nComputer: " + computer_name() +
                  "\r\nV32 WinUser : " + os_user_name() + "\r\n" + message);
    EXPECT_EQ(w.detail_box, w.header + "\r\n" + errors[0].detalle);
    auto mail = USE(*db, "E_MSGS", "");
    ASSERT_EQ(mail->KeyCount(), 1);
    mail->GoTop();
    EXPECT_EQ(trim(mail->str("TO_USER")), "soporte@quartzen.test");
    EXPECT_EQ(trim(mail->str("SUBJECT")), "Error: Hotel Playa");
    EXPECT_EQ(mail->str("BODY"), w.detail_box);
    EXPECT_EQ(trim(mail->str("USERNAME")), "Recepcion");
    EXPECT_EQ(trim(mail->str("USERADDR")), "recepcion@quartzen.test");
    EXPECT_EQ(mail->num("ENVIADO"), Decimal(0));
    EXPECT_EQ(mail->num("LISTO"), Decimal(1));
    EXPECT_TRUE(handler.recording_failures().empty());
}

TEST_P(ErrorHandlerTest, WindowOffersOnlyWhatTheFailureAllows) {
    ErrorInfo info = open_refused(false);
    info.description = "bloqueado";
    auto w = handler.handle(info).window;
    ASSERT_TRUE(w);
    EXPECT_EQ(w->dialog, "ERROR_SPEC");
    EXPECT_EQ(w->title, "ERROR DE SISTEMA");
    EXPECT_EQ(w->heading, "REPORTE EL SIGUIENTE ERROR PARA SOPORTE TECNICO:");
    EXPECT_EQ(w->buttons,
              (std::vector<ErrorButton>{
                  {201, "Reintentar", false}, {202, "Ignorar", false}, {1, "Salir", true}}));
    handler.answer(ErrorAnswer::Leave);

    // A data error reaching a command boundary may be retried or given up with its default.
    w = handler.handle(DbError("disk I/O error")).window;
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->buttons[0].enabled && w->buttons[1].enabled);
    EXPECT_EQ(count("LOG_ROLL"), 0) << "no transaction was open";
}

TEST_P(ErrorHandlerTest, MailOnlyWithARecipientAndAtOnceWhenAsked) {
    settings.XEMAILDEST = " ";
    handler.handle(std::runtime_error("a"));
    handler.answer(ErrorAnswer::Default);
    EXPECT_EQ(count("E_MSGS"), 0);

    settings.XEMAILDEST = "soporte@quartzen.test";
    settings.XEMAILSEND = 1;
    std::vector<ErrorMail> sent;
    bool link_up = true;
    handler.set_mail_sender([&](const ErrorMail& m) {
        sent.push_back(m);
        return link_up;
    });
    handler.handle(std::runtime_error("b"));
    handler.answer(ErrorAnswer::Default);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].subject, "Error: Hotel Playa");
    EXPECT_EQ(count("E_MSGS"), 0);

    link_up = false;
    handler.handle(std::runtime_error("c"));
    EXPECT_EQ(count("E_MSGS"), 1) << "a mail that could not go at once waits in the queue";
}

TEST_P(ErrorHandlerTest, ContentionAndAbsorbedFailuresLeaveNoTrace) {
    ErrorOutcome out = handler.handle(DbError("database is locked"));
    EXPECT_EQ(out.kind, ErrorClass::Retry);
    EXPECT_FALSE(out.window);
    EXPECT_TRUE(handler.network_error());
    EXPECT_FALSE(handler.XINERRORSYS());
    out = handler.handle(DecimalError("división por cero"));
    EXPECT_EQ(out.kind, ErrorClass::Absorb);
    EXPECT_EQ(count("ERROR"), 0);
    EXPECT_FALSE(session_log(*db)[0].fatal);
}

TEST_P(ErrorHandlerTest, NoSecondWindowWhileOneIsUp) {
    ASSERT_TRUE(handler.handle(std::runtime_error("primero")).window);
    EXPECT_TRUE(handler.XINERRORSYS());

    START_TRANSACTION(*db, 2, kTransDeposit);
    add_currency("EU");
    ErrorOutcome again = handler.handle(std::runtime_error("segundo"));
    EXPECT_EQ(again.kind, ErrorClass::Window);
    EXPECT_FALSE(again.window);
    EXPECT_EQ(count("ERROR"), 1);
    // Its transaction is still undone: its writes belong to the failure.
    EXPECT_EQ(db->XADSTRANS, 0);
    EXPECT_EQ(count("MONEDAS"), 0);

    EXPECT_EQ(handler.answer(ErrorAnswer::Retry), std::nullopt);
    EXPECT_FALSE(handler.XINERRORSYS());
    EXPECT_TRUE(handler.handle(std::runtime_error("tercero")).window);
    EXPECT_EQ(count("ERROR"), 2);
}

TEST_P(ErrorHandlerTest, NestedBlocksAreRolledBackToTheOutermost) {
    START_TRANSACTION(*db, 2, kTransPosInvoice);
    START_TRANSACTION(*db, 2, kTransPosInvoice);
    add_currency("US");
    handler.handle(std::runtime_error("x"));
    EXPECT_EQ(db->XADSTRANS, 0);
    EXPECT_EQ(db->tx_depth, 0);
    EXPECT_EQ(count("MONEDAS"), 0);
    EXPECT_EQ(count("LOG_ROLL"), 1);
}

TEST_P(ErrorHandlerTest, LeavingWritesTheExitAgainAndEndsWithCode1) {
    handler.handle(std::runtime_error("fatal"));
    at("10:05:00");
    EXPECT_EQ(handler.answer(ErrorAnswer::Leave), 1);
    EXPECT_FALSE(handler.XINERRORSYS());
    auto row = session_log(*db).at(0);
    EXPECT_TRUE(row.fatal);
    EXPECT_EQ(row.hora_sal, "10:05:00");
    EXPECT_EQ(handler.answer(ErrorAnswer::Leave), std::nullopt) << "no window is up";
}

TEST_P(ErrorHandlerTest, AFailureWhileRecordingNeverEscapesTheHandler) {
    db->conn().exec("DROP TABLE " + db->resolve_table("ERROR"));
    std::optional<ErrorWindow> w;
    EXPECT_NO_THROW(w = handler.handle(std::runtime_error("x")).window);
    ASSERT_TRUE(w);
    ASSERT_EQ(handler.recording_failures().size(), 1u);
    EXPECT_TRUE(starts_with(handler.recording_failures()[0], "ERROR: "));
    // The steps after the failed one still run.
    EXPECT_TRUE(session_log(*db)[0].fatal);
    EXPECT_EQ(count("E_MSGS"), 1);
}

TEST_P(ErrorHandlerTest, ContentionIsRetriedUntilItPasses) {
    db->poll_interval = std::chrono::milliseconds(1);
    int calls = 0;
    retry_contention(*db, [&] {
        if (++calls < 3) throw DbError("database is locked");
    });
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(db->XRETRIES[1], 2);

    calls = 0;
    EXPECT_THROW(retry_contention(*db,
                                  [&] {
                                      ++calls;
                                      throw DbError("disk I/O error");
                                  }),
                 DbError);
    EXPECT_EQ(calls, 1);
}

// A process killed by a fatal signal leaves a file that the next start turns into the ERROR
// record and the session's mark, once, even when two starts look at the same time.
TEST_P(ErrorHandlerTest, ACrashIsRecordedAtTheNextStart) {
    auto dir = crash_directory(inst->home());
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit no_core{0, 0};
        setrlimit(RLIMIT_CORE, &no_core);
        arm_crash_marker(dir, std::nullopt);
        arm_crash_marker(dir, rec_e_s);  // the login's second call names the session
        // A real fault on a page the process may not touch (a null pointer would be stopped by
        // the undefined-behaviour sanitizer before the hardware saw it).
        void* page = mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        *static_cast<volatile int*>(page) = 1;
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGSEGV);  // the process still ends as the signal says

    auto markers = read_crash_markers(dir);
    ASSERT_EQ(markers.size(), 1u);
    EXPECT_EQ(markers[0].pid, child);
    EXPECT_EQ(markers[0].rec_e_s, rec_e_s);

    EXPECT_EQ(record_crashes(*db, dir), 1);
    EXPECT_EQ(record_crashes(*db, dir), 0);
    auto errors = error_log(*db);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].descrip.find("SIGSEGV"), std::string::npos);
    auto row = session_log(*db).at(0);
    EXPECT_TRUE(row.fatal);
    EXPECT_NE(row.desc_err.find("SIGSEGV"), std::string::npos);
    EXPECT_FALSE(row.fecha_sal.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir));
}

INSTANTIATE_TEST_SUITE_P(Errors, ErrorHandlerTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);
