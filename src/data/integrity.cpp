#include "data/integrity.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include "core/text.h"

namespace qz::data {

namespace {

constexpr size_t kMaxDetails = 10;

std::string what_is_wrong(int result_code) {
    if (result_code == SQLITE_IOERR_SHORT_READ) return "el archivo está incompleto (truncado)";
    switch (result_code & 0xff) {
        case SQLITE_NOTADB:
            return "el archivo no tiene la cabecera de una base de datos SQLite";
        case SQLITE_CORRUPT:
            return "su estructura interna tiene páginas dañadas";
        default:
            return "la lectura falla con el error " + std::to_string(result_code) + " de SQLite";
    }
}

// The header keeps the page size (bytes 16-17, 1 meaning 65536) and the page count (bytes 28-31,
// trustworthy when the change counter at 24 matches the copy at 92); a file shorter than both
// together lost its tail, which the engine reports as plain damage.
bool shorter_than_header_says(const std::string& path) {
    unsigned char h[100] = {};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(h), sizeof h)) return false;
    auto be = [&](int at, int n) {
        uintmax_t v = 0;
        for (int i = 0; i < n; ++i) v = v << 8 | h[at + i];
        return v;
    };
    if (be(24, 4) != be(92, 4)) return false;
    uintmax_t page_size = be(16, 2) == 1 ? 65536 : be(16, 2);
    std::error_code ec;
    uintmax_t size = std::filesystem::file_size(path, ec);
    return !ec && page_size * be(28, 4) > size;
}

IntegrityReport damaged(const std::string& path, int code, std::vector<std::string> details) {
    if ((code & 0xff) == SQLITE_CORRUPT && shorter_than_header_says(path))
        code = SQLITE_IOERR_SHORT_READ;
    return {false, describe_sqlite_failure(path, code), std::move(details)};
}

// The check answers "ok" or one line per problem; a line may start with the name of the schema
// it belongs to, which says nothing to the reader.
void add_detail(std::vector<std::string>& details, const std::string& row) {
    for (const auto& line : split(row, '\n')) {
        if (line.empty() || starts_with(line, "*** in database")) continue;
        if (details.size() < kMaxDetails) details.push_back(line);
    }
}

class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& path) {
        m_rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        if (m_db) {
            sqlite3_extended_result_codes(m_db, 1);
            sqlite3_busy_timeout(m_db, 60000);
        }
    }
    ~ReadOnlyFile() { sqlite3_close_v2(m_db); }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    sqlite3* get() const { return m_db; }
    int open_result() const { return m_rc; }

private:
    sqlite3* m_db = nullptr;
    int m_rc = SQLITE_OK;
};

IntegrityReport failure(const std::string& path, sqlite3* db, int rc) {
    std::vector<std::string> details{db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)};
    if (sqlite_damage_code(rc)) return damaged(path, rc, std::move(details));
    return {false,
            "No se pudo comprobar la base de datos " + path + " (error " + std::to_string(rc) +
                " de SQLite).",
            std::move(details)};
}

IntegrityReport run_check(const std::string& path, sqlite3* db, bool full) {
    sqlite3_stmt* st = nullptr;
    const char* sql = full ? "PRAGMA integrity_check" : "PRAGMA quick_check";
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK) return failure(path, db, rc);
    std::vector<std::string> rows;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        rows.emplace_back(text ? text : "");
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) return failure(path, db, rc);
    if (rows.size() == 1 && rows.front() == "ok") return {true, "Integridad: correcta", {}};
    std::vector<std::string> details;
    for (const auto& r : rows) add_detail(details, r);
    return damaged(path, SQLITE_CORRUPT, std::move(details));
}

}  // namespace

bool sqlite_damage_code(int result_code) {
    int primary = result_code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB ||
           result_code == SQLITE_IOERR_SHORT_READ;
}

std::string describe_sqlite_failure(const std::string& path, int result_code) {
    return "La base de datos " + path + " está dañada: " + what_is_wrong(result_code) +
           ". Restaure la última copia de seguridad (quartzen backup) y no ejecute "
           "'quartzen init --demo' sobre ella.";
}

IntegrityReport check_sqlite_file(const std::string& path, bool full) {
    if (!std::filesystem::is_regular_file(path))
        return {false, "No existe la base de datos " + path + " (ejecute: quartzen init)", {}};
    ReadOnlyFile file(path);
    if (file.open_result() != SQLITE_OK) return failure(path, file.get(), file.open_result());
    return run_check(path, file.get(), full);
}

std::optional<std::string> damaged_file_message(const std::string& path, const DbError& e) {
    const std::string& code = e.code();
    if (code.rfind("sqlite:", 0) != 0) return std::nullopt;
    const int rc = std::stoi(code.substr(7));
    if (!sqlite_damage_code(rc)) return std::nullopt;
    auto check = check_sqlite_file(path, false);
    return check.ok ? describe_sqlite_failure(path, rc) : check.message;
}

}  // namespace qz::data
