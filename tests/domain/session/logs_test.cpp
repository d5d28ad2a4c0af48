#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "core/stamp.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/log_diag.h"
#include "domain/session/log_sessions.h"
#include "domain/session/log_viewers.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::data;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const SessionStamp kWho{"HOTEL", "ANA", "SPA"};

// A record made up in memory: a field not in the list is a field the table lacks.
class MapSlot : public RecordSlot {
public:
    explicit MapSlot(std::initializer_list<const char*> fields) {
        for (const char* f : fields) m_fields[f];
    }
    bool has(const std::string& field) const override { return m_fields.count(field) > 0; }
    void put(const std::string& field, const Value& v) override {
        if (!has(field)) throw std::out_of_range("no field " + field);
        m_fields[field] = v;
    }
    std::string text(const std::string& field) const {
        return std::get<std::string>(m_fields.at(field));
    }

private:
    std::map<std::string, Value> m_fields;
};

}  // namespace

class LogTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        db = inst->open();
        at(Date(2026, 3, 15), "10:00:00");
    }
    void at(const Date& d, const std::string& time) { inst->clock.freeze(DateTime{d, time}); }
    bool open_screen(const std::string& dialog, int id = 0, const SessionStamp& who = kWho) {
        return NEW_LOG_DIAG(*db, who, id, dialog);
    }
    long count(const std::string& table) { return USE(*db, table, "")->KeyCount(); }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<Db> db;
};

TEST_P(LogTest, ScreenLogSkipsTheFrameworkDialogsAndStampsTheFirstScreenOfACommand) {
    int id = 3100;
    for (const char* d : {"xloginusr", "CHECK_DB", "OBSEARCH", "Wait", "PSETGEN", "WHILE_PRINT",
                          "VER_ARTI", "preview800"})
        EXPECT_FALSE(NEW_LOG_DIAG(*db, kWho, id, d)) << d;
    EXPECT_EQ(count("LOG_DIAG"), 0);
    // A wait window opened before the screen must not take the command's id away from it.
    EXPECT_EQ(id, 3100);

    EXPECT_TRUE(NEW_LOG_DIAG(*db, kWho, id, "AGEN_SPA"));
    EXPECT_EQ(id, 0);
    EXPECT_TRUE(NEW_LOG_DIAG(*db, kWho, id, "SPA_RESE"));

    auto rows = screen_usage(*db, "HOTEL", 3100);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].dialogo, "AGEN_SPA");
    EXPECT_EQ(rows[0].usuario, "ANA");
    EXPECT_EQ(rows[0].modulo, "SPA");
    EXPECT_EQ(rows[0].fecha, Date(2026, 3, 15));
    EXPECT_EQ(rows[0].hora, "10:00:00");
    EXPECT_TRUE(starts_with(rows[0].info_user, os_user_name() + " / "));
    EXPECT_EQ(screen_usage(*db, "HOTEL", 0).at(0).dialogo, "SPA_RESE");
}

TEST_P(LogTest, ScreenLogRecyclesTheOldestRecordOnlyAfter240Days) {
    Date d0(2025, 6, 1);
    at(d0, "08:00:00");
    open_screen("CLIENTE", 10, {"HOTEL", "ANA", "SPA"});
    long first = USE(*db, "LOG_DIAG", "")->LastRec();

    at(d0 + 240, "09:00:00");
    open_screen("FAC_POS", 20);
    EXPECT_EQ(count("LOG_DIAG"), 2) << "240 days old is not yet more than 240";

    at(d0 + 241, "07:00:00");
    open_screen("DEP_HOT", 30, {"", "LUIS", "TEL"});
    EXPECT_EQ(count("LOG_DIAG"), 2);
    auto log = USE(*db, "LOG_DIAG", "");
    log->GoTo(first);
    // Nothing of the old screen survives, not even a business the new writer had none for.
    EXPECT_EQ(trim(log->str("DIALOGO")), "DEP_HOT");
    EXPECT_EQ(trim(log->str("NEGOCIO")), "");
    EXPECT_EQ(log->num("ID_DIAG"), Decimal(30));
    EXPECT_EQ(trim(log->str("USUARIO")), "LUIS");
    EXPECT_EQ(trim(log->str("MODULO")), "TEL");
    EXPECT_EQ(log->date("FECHA"), d0 + 241);

    // The oldest is now the one written the day before: appended again.
    open_screen("CLIENTE", 10);
    EXPECT_EQ(count("LOG_DIAG"), 3);
}

TEST_P(LogTest, ScreenLogAppendsWhenAnotherWorkstationHoldsTheOldestRecord) {
    at(Date(2025, 1, 1), "08:00:00");
    open_screen("CLIENTE", 10);
    auto other = inst->open();
    auto held = USE(*other, "LOG_DIAG", "LOG_DIA2");
    ASSERT_TRUE(held->RLock());

    at(Date(2026, 1, 1), "08:00:00");
    open_screen("FAC_POS", 20);
    EXPECT_EQ(count("LOG_DIAG"), 2);
    EXPECT_EQ(screen_usage(*db, "HOTEL", 10).size(), 1u);
    EXPECT_TRUE(inst->port.messages.empty()) << "the recycling attempt never waits";
}

TEST_P(LogTest, ScreenUsageViewerListsOneCommandNewestFirstAndNamesItsUsers) {
    auto usr = USE(*db, "USUARIOS");
    ADD_NEW_REC(*usr);
    usr->FieldPut("NEGOCIO", std::string("HOTEL"));
    usr->FieldPut("ABREVIA", std::string("ANA"));
    usr->FieldPut("USUARIO", std::string("Ana Mora"));
    UNLOCK_NEW_REC(*usr);

    Date d0(2025, 1, 1);
    at(d0, "09:00:00");
    open_screen("AGEN_SPA", 3100);
    at(d0 + 1, "07:00:00");
    open_screen("AGEN_SPA", 3100);
    at(d0 + 1, "08:00:00");
    open_screen("AGEN_SPA", 3100, {"HOTEL", "PEDRO", "SPA"});
    open_screen("AGEN_SPA", 3100, {"OTRO", "ANA", "SPA"});
    open_screen("AGEN_SPA", 3101);
    // Recycled: the lowest record number now holds the newest use.
    at(d0 + 300, "07:00:00");
    open_screen("AGEN_SPA", 3100);

    auto rows = screen_usage(*db, "HOTEL", 3100);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].fecha, d0 + 300);
    EXPECT_EQ(rows[1].usuario, "PEDRO");
    EXPECT_EQ(rows[2].fecha, d0 + 1) << "the 09:00 use was recycled";

    auto users = screen_usage_users(*db, "HOTEL", rows);
    ASSERT_EQ(users.size(), 2u);
    EXPECT_EQ(users[0].usuario, "ANA");
    EXPECT_EQ(users[0].label, "Ana Mora");
    EXPECT_EQ(users[1].label, "PEDRO") << "a user no longer on file shows the short code";

    auto anas = screen_usage(*db, "HOTEL", 3100, std::string("ANA"));
    ASSERT_EQ(anas.size(), 2u);
    EXPECT_EQ(anas[0].usuario, "ANA");
}

TEST(LogSessionRecord, OptionalFieldsMissingFromAnOlderTableAreSkipped) {
    MapSlot old{"FECHA", "HORA", "USUARIO", "FECHA_SAL", "HORA_SAL"};
    DateTime now{Date(2026, 3, 15), "10:00:00"};
    EXPECT_NO_THROW(fill_session_entry(old, kWho, "Ana Mora", now));
    EXPECT_EQ(old.text("USUARIO"), "Ana Mora");
    EXPECT_NO_THROW(fill_session_poll(old, now));
    EXPECT_NO_THROW(fill_fatal_mark(old, "Error", "detalle", now));
    EXPECT_EQ(old.text("HORA_SAL"), "10:00:00");

    MapSlot full{"FECHA",  "HORA",   "USUARIO",   "INFO_USER", "WS_HOST",  "MODULO",   "ID_USUARIO",
                 "POLL_F", "POLL_H", "FECHA_SAL", "HORA_SAL",  "DESC_ERR", "ERR_CHECK"};
    fill_session_entry(full, kWho, "Ana Mora", now);
    EXPECT_EQ(full.text("WS_HOST"), upper_ascii(computer_name()));
    EXPECT_EQ(full.text("INFO_USER"), os_user_name() + " / " + computer_name());
    EXPECT_EQ(full.text("ID_USUARIO"), "ANA");
    EXPECT_EQ(full.text("POLL_H"), "10:00:00");
    // The mandatory fields are not optional: a table without them is a broken table.
    MapSlot broken{"FECHA", "HORA"};
    EXPECT_THROW(fill_session_entry(broken, kWho, "Ana Mora", now), std::out_of_range);
}

TEST_P(LogTest, SessionLogFollowsEntrySignOfLifeExitAndFatalMark) {
    long rec = log_session_entry(*db, kWho, "Ana Mora");
    long other = log_session_entry(*db, kWho, "Pedro");
    EXPECT_GT(rec, 0);
    EXPECT_NE(rec, other);

    at(Date(2026, 3, 15), "10:30:00");
    EXPECT_TRUE(log_session_poll(*db, rec));
    at(Date(2026, 3, 15), "11:00:00");
    EXPECT_TRUE(mark_session_fatal(*db, rec, "Error X", "File: \r\nCalled from P(1)"));
    EXPECT_FALSE(log_session_exit(*db, 0)) << "a session without a record writes nothing";
    EXPECT_FALSE(log_session_exit(*db, 999999));

    auto rows = session_log(*db);
    ASSERT_EQ(rows.size(), 2u);
    const SessionLogRow& r = rows[0].recno == rec ? rows[0] : rows[1];
    EXPECT_EQ(r.usuario, "Ana Mora");
    EXPECT_EQ(r.id_usuario, "ANA");
    EXPECT_EQ(r.modulo, "SPA");
    EXPECT_EQ(r.ws_host, upper_ascii(computer_name()));
    EXPECT_EQ(r.poll_h, "10:30:00");
    EXPECT_EQ(r.hora_sal, "11:00:00");
    EXPECT_EQ(r.desc_err, "Error X|File:  > P(1)");
    EXPECT_TRUE(r.fatal);
    const SessionLogRow& o = rows[0].recno == other ? rows[0] : rows[1];
    EXPECT_FALSE(o.fatal);
    EXPECT_TRUE(o.fecha_sal.empty());

    at(Date(2026, 3, 16), "08:00:00");
    EXPECT_TRUE(log_session_exit(*db, other));
    // Same entry moment: the later record number lists first.
    EXPECT_EQ(session_log(*db)[0].recno, other);
    EXPECT_EQ(session_log(*db)[0].fecha_sal, Date(2026, 3, 16));
}

TEST_P(LogTest, ViewersListNewestFirstWithinTheDateRange) {
    Date d0(2026, 3, 1);
    db->XUSER_ABREVIA = "ANA";
    // Written out of order: the midnight-side second of a day must still sort by its time.
    const std::pair<int, const char*> moments[] = {
        {0, "12:00:00"}, {2, "23:59:59"}, {2, "00:00:01"}, {5, "12:00:00"}};
    for (const auto& [day, time] : moments) {
        at(d0 + day, time);
        log_session_entry(*db, kWho, "Ana");
        START_TRANSACTION(*db, 2, kTransPayment);
        db->XADS_T_ERR = "motivo " + std::to_string(day) + " " + time;
        ROLLBACK_TRANSACTION(*db);
    }
    auto all = session_log(*db);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0].fecha, d0 + 5);
    EXPECT_EQ(all[1].hora, "23:59:59");
    EXPECT_EQ(all[2].hora, "00:00:01");

    auto ranged = session_log(*db, DateRange{d0 + 1, d0 + 2});
    ASSERT_EQ(ranged.size(), 2u);
    EXPECT_EQ(ranged[0].hora, "23:59:59");

    auto rolls = rollback_log(*db, DateRange{d0 + 2, d0 + 9});
    ASSERT_EQ(rolls.size(), 3u);
    EXPECT_EQ(rolls[0].motivo, "motivo 5 12:00:00");
    EXPECT_EQ(rolls[2].motivo, "motivo 2 00:00:01");
    EXPECT_EQ(rolls[0].trans_id, kTransPayment);
    EXPECT_EQ(rolls[0].usuario, "ANA");
    EXPECT_EQ(rollback_log(*db).back().motivo, "motivo 0 12:00:00");
}

TEST_P(LogTest, ClearingAHistoryAsksFirstAndDeletesEverything) {
    for (int i = 0; i < 3; ++i) {
        auto err = USE(*db, "ERROR");
        ADD_NEW_REC(*err);
        err->FieldPut("FECHA", Date(2026, 3, 10 + i));
        err->FieldPut("DESCRIP", "fallo " + std::to_string(i));
        err->FieldPut("DETALLE", std::string("detalle"));
        UNLOCK_NEW_REC(*err);
        log_session_entry(*db, kWho, "Ana");
    }
    auto rows = error_log(*db);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].descrip, "fallo 2");
    EXPECT_EQ(rows[0].detalle, "detalle");
    EXPECT_EQ(error_log(*db, DateRange{Date(2026, 3, 11), Date(2026, 3, 11)}).size(), 1u);

    inst->port.answer = false;
    EXPECT_FALSE(clear_error_log(*db, inst->port));
    EXPECT_FALSE(clear_session_log(*db, inst->port));
    EXPECT_EQ(error_log(*db).size(), 3u);
    EXPECT_EQ(session_log(*db).size(), 3u);

    inst->port.answer = true;
    EXPECT_TRUE(clear_error_log(*db, inst->port));
    EXPECT_TRUE(clear_session_log(*db, inst->port));
    EXPECT_TRUE(error_log(*db).empty());
    EXPECT_TRUE(session_log(*db).empty());
    EXPECT_EQ(db->XADSTRANS, 0);
    pack_error_log(*db);
    EXPECT_EQ(USE(*db, "ERROR", "")->LastRec(), 0) << "emptied for good once packed";
}

TEST_P(LogTest, ClearingIsAllOrNothingWhenARecordIsHeld) {
    for (int i = 0; i < 2; ++i) log_session_entry(*db, kWho, "Ana");
    auto other = inst->open();
    auto held = USE(*other, "LOG_E_S", "");
    held->GoBottom();
    ASSERT_TRUE(held->RLock());
    db->patience = std::chrono::milliseconds(50);
    db->poll_interval = std::chrono::milliseconds(10);
    EXPECT_THROW(clear_session_log(*db, inst->port), TransactionAborted);
    EXPECT_EQ(session_log(*db).size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Logs, LogTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         test::engine_name);
