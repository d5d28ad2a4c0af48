#include <gtest/gtest.h>

#include <filesystem>

#include "data/sqlite_connection.h"

TEST(DbError, EnginesReportContentionByCodeNotByWording) {
    namespace fs = std::filesystem;
    std::string path = (fs::temp_directory_path() / "qz_busy_code.db").string();
    fs::remove(path);
    qz::data::SqliteConnection a(path, 0), b(path, 0);
    a.exec("CREATE TABLE t (x INTEGER)");
    a.begin();
    a.exec("INSERT INTO t VALUES (1)");
    b.begin();  // the write lock is taken at the first write, not here
    try {
        b.exec("INSERT INTO t VALUES (2)");
        FAIL() << "a second writer must be refused with no busy timeout";
    } catch (const qz::data::DbError& e) {
        EXPECT_TRUE(e.contention()) << e.code();
    }
    a.rollback();
    b.rollback();
    EXPECT_FALSE(qz::data::DbError("x", "sqlite:19").contention());
    fs::remove(path);
}
