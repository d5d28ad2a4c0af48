#include <chrono>

#include "core/text.h"
#include "data/schema.h"
#include "data/table_ops.h"

namespace qz::data {

namespace {

void create_copy(Db& db, const TableDef& def, const std::string& new_name,
                 const std::string& directory) {
    std::string name = upper_ascii(trim(new_name));
    bool temporary = iequals(directory, "TEMP");
    if (!temporary && db.XADSTRANS)
        throw DbError("No se puede copiar estructura a: " + name + " dentro de una transacción");
    if (db.conn().table_exists("", name))
        throw DbError("No se puede copiar estructura a: " + name + " (ya existe)");
    for (const auto& sql : create_table_sql(def, name, db.dialect(), temporary)) db.conn().exec(sql);
    if (temporary) {
        db.temp_tables.push_back(name);
        return;
    }
    // Other processes find the structure of the new table through the table it was copied from.
    auto st = db.conn().prepare(
        "INSERT INTO qz_tables (name, id) VALUES (?, (SELECT COALESCE(MAX(id), 0) + 1 FROM "
        "qz_tables))");
    st->bind(1, name);
    st->step();
    db.conn().exec("CREATE TABLE IF NOT EXISTS qz_derived (name TEXT PRIMARY KEY, source TEXT "
                   "NOT NULL)");
    auto ins = db.conn().prepare("INSERT INTO qz_derived (name, source) VALUES (?, ?)");
    ins->bind(1, name);
    ins->bind(2, def.name());
    ins->step();
}

}  // namespace

void COPY_STRUC(Db& db, WDBTable& source, const std::string& new_name,
                const std::string& directory) {
    create_copy(db, source.def(), new_name, directory);
}

void DUP_FILE(Db& db, const std::string& template_name, const std::string& new_name,
              const std::string& directory) {
    std::string base = upper_ascii(trim(template_name.substr(0, template_name.find('.'))));
    const TableDef* def = db.catalogue().find(base);
    if (!def) throw DbError("No se puede copiar estructura a: " + new_name + " (sin plantilla)");
    create_copy(db, *def, new_name, directory);
}

long SAVE_PACK(Db& db, const std::string& name, WaitWindow* progress) {
    UseOptions opts;
    opts.shared = false;
    Table t = USE(db, name, opts);
    wait_for(
        db, [&] { return t->FLock(); },
        [&] { return "No se puede abrir archivo: " + db.home() + "/BASES/" + t->Name; }, 0);
    if (progress) progress->put_text("Optimizando " + t->Name);
    auto st = db.conn().prepare("DELETE FROM " + t->sql_ref() + " WHERE qz_del = 1");
    st->step();
    auto count = db.conn().scalar(db.dialect() == Dialect::SQLite ? "SELECT changes()" : "SELECT 0");
    KILLTABLA(db, t, true);
    return count ? std::stol(*count) : 0;
}

}  // namespace qz::data
