#include "data/table_ops.h"

#include <chrono>
#include <thread>

#include "core/text.h"
#include "data/schema.h"

namespace qz::data {

namespace {

using Clock = std::chrono::steady_clock;

const TableDef& find_def(Db& db, const std::string& name) {
    if (const TableDef* d = db.catalogue().find(name)) return *d;
    if (name.size() > 8)
        if (const TableDef* d = db.catalogue().find(name.substr(0, 8))) return *d;
    throw DbError("No se puede abrir archivo: " + name + " (no existe en el catálogo)");
}

std::string table_path(Db& db, const std::string& name) { return db.home() + "/BASES/" + name; }

// "T" + the last 7 digits of the hundredths of a second since midnight + "." + module.
std::string temp_name(Db& db) {
    for (;;) {
        auto now = std::chrono::system_clock::now().time_since_epoch();
        long long hundredths =
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count() / 10 % 8640000;
        std::string digits = "00000000" + std::to_string(hundredths);
        std::string name = "T" + digits.substr(digits.size() - 7) + "." + db.ext_modulo();
        bool taken = false;
        for (const auto& t : db.temp_tables) taken = taken || iequals(t, name);
        if (!taken && !db.conn().table_exists("", name)) return name;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void take_open_lock(Db& db, WDBTable& t, bool exclusive, const std::string& path) {
    LockKind kind = exclusive ? LockKind::OpenExclusive : LockKind::OpenShared;
    int id = db.lock_id(t.def().name());
    wait_for(
        db, [&] { return db.locks().try_acquire(id, kind, 0, t.lock_scope()); },
        [&] { return "No se puede abrir archivo: " + path; }, 0);
}

void attach_search(Db& db, WDBTable& t) {
    for (const auto& [table, field] : db.XTXT_SRCH_FILES)
        if (iequals(utf8_substr(table, 0, 15), utf8_substr(t.Name, 0, 15))) {
            t.SEARCH_TXT = 1;
            t.search_field = field;
        }
}

Table open_temporary(Db& db, const std::string& file, const UseOptions& opts) {
    std::string base = upper_ascii(file.substr(0, file.find('.')));
    const TableDef& tmpl = find_def(db, base);
    std::string name = temp_name(db);
    for (const auto& sql : create_table_sql(tmpl, name, db.dialect(), true)) db.conn().exec(sql);
    db.temp_tables.push_back(name);
    int area = db.allocate_area();
    auto t = std::make_unique<WDBTable>(db, tmpl.renamed(name), name, quote_ident(name), area,
                                        true, opts);
    t->Alias = make_alias(name, area);
    db.register_area(area, t.get());
    t->GoTop();
    return t;
}

void run_hook(WDBTable& t, int mode) {
    Db& db = t.db();
    if (t.SEARCH_TXT != 1 || !db.full_text || t.Eof() || t.Deleted()) return;
    std::vector<std::string> texts;
    for (const auto& f : t.def().fields())
        if (f.kind == FieldKind::C && f.width >= 10 && !starts_with(f.name, "INFO_U"))
            texts.push_back(trim(t.str(f.name)));
    std::string negocio = t.FieldPos("NEGOCIO") ? trim(t.str("NEGOCIO")) : "";
    std::string doc = t.FieldPos(t.search_field) ? trim(value_text(
                                                       *t.def().field(t.search_field),
                                                       t.FieldGet(t.search_field)))
                                                 : "";
    db.full_text->update(mode, t.Name, negocio, doc, texts);
}

std::string lock_message(WDBTable& t) {
    std::string m = "El dato se encuentra bloqueado: " + t.Alias;
    if (t.db().server()) m += "/" + std::to_string(t.RecNo());
    return m;
}

}  // namespace

std::string make_alias(const std::string& name, int area) {
    std::string base = upper_ascii(name.substr(0, name.find('.')));
    base = pad_right(utf8_substr(base, 0, 7), 7, '0');
    std::string num = std::to_string(area);
    if (num.size() < 3) num.insert(0, 3 - num.size(), '0');
    return base + num;
}

void wait_for(Db& db, const std::function<bool()>& attempt,
              const std::function<std::string()>& message, int retry_counter) {
    auto start = Clock::now();
    // Holding the database's write lock, waiting for a lock could wait for a workstation that
    // holds it and waits for the write lock itself: give up the posting at once instead.
    if (db.XADSTRANS && db.conn().holds_write_lock()) {
        if (attempt()) return;
        ++db.XRETRIES[static_cast<size_t>(retry_counter)];
        db.XADS_T_ERR = message();
        db.doom_transaction();
        throw TransactionAborted(db.XADS_T_ERR);
    }
    while (!attempt()) {
        ++db.XRETRIES[static_cast<size_t>(retry_counter)];
        if (Clock::now() - start >= db.patience) {
            db.XADS_T_ERR = message();
            if (db.XADSTRANS) {
                db.doom_transaction();
                throw TransactionAborted(db.XADS_T_ERR);
            }
            db.port().message(MsgStyle::Alerta, "Alerta", db.XADS_T_ERR);
        }
        std::this_thread::sleep_for(db.poll_interval);
    }
}

Table USE(Db& db, const std::string& file, const UseOptions& opts) {
    if (file.find('.') != std::string::npos) return open_temporary(db, file, opts);
    std::string name = upper_ascii(trim(file));
    for (auto it = db.XADSFILEBAG.begin(); it != db.XADSFILEBAG.end(); ++it) {
        if (!iequals(utf8_substr(it->first, 0, 15), utf8_substr(name, 0, 15))) continue;
        Table t = std::move(it->second);
        db.XADSFILEBAG.erase(it);
        db.select(t->Area);
        t->reset_for_reuse(opts);
        return t;
    }
    const TableDef& def = find_def(db, name);
    if (def.is_template())
        throw DbError("No se puede abrir archivo: " + name + " es una plantilla");
    std::string sql_ref = db.resolve_table(def.name());
    int area = db.allocate_area();
    auto t = std::make_unique<WDBTable>(db, def, def.name(), sql_ref, area, false, opts,
                                        db.lock_set_of(def.name(), sql_ref));
    t->Alias = make_alias(def.name(), area);
    take_open_lock(db, *t, !opts.shared, table_path(db, def.name()));
    db.register_area(area, t.get());
    attach_search(db, *t);
    t->GoTopLazily();
    return t;
}

void KILLTABLA(Db& db, Table& t, bool force) {
    if (!t) return;
    if (db.XADSTRANS && !force && !t->temporary()) {
        // Its locks and its writes belong to the open transaction: keep the table until it ends.
        t->ClearScope();
        std::string name = t->Name;
        db.XADSFILEBAG.emplace_back(name, std::move(t));
        return;
    }
    t->close();
    std::erase_if(db.temp_tables, [&](const std::string& n) { return iequals(n, t->Name); });
    t.reset();
}

void CLEAR_FILEBAG(Db& db) {
    auto bag = std::move(db.XADSFILEBAG);
    db.XADSFILEBAG.clear();
    for (auto& [name, t] : bag)
        if (t) t->close();
}

void ADD_NEW_REC(WDBTable& t, bool) {
    t.db().select(t.Area);
    t.Append();
}

void ADD_WITHOUT_LOG(WDBTable& t) { ADD_NEW_REC(t); }

void LOCK_WITHOUT_LOG(WDBTable& t) {
    t.db().select(t.Area);
    if (t.Eof() && !t.pending_append()) return;
    wait_for(
        t.db(), [&] { return t.RLock(); }, [&] { return lock_message(t); }, 1);
    // Re-read the record now that nobody else can change it, so the write starts from the
    // values another workstation may have just saved.
    if (!t.pending_append()) t.Skip(0);
}

void LOCK_FOR_MODIFY(WDBTable& t, bool skip) {
    if (skip) return;
    LOCK_WITHOUT_LOG(t);
    run_hook(t, 1);
}

void UNLOCK_WITHOUT_LOG(WDBTable& t) {
    Db& db = t.db();
    db.select(t.Area);
    t.Commit();
    if (t.Eof()) return;
    long recno = t.RecNo();
    if (db.XADSTRANS) {
        // The server keeps the lock until the transaction ends; remember what to release then.
        if (db.XTRANS_TIPO == 1) {
            db.XA_RECORDS.emplace_back(t.Area, recno);
        } else {
            bool known = false;
            for (const auto& r : db.XA_RECORDS) known = known || r.first == t.Area;
            if (!known) db.XA_RECORDS.emplace_back(t.Area, 0);
        }
        return;
    }
    t.UnlockRecord(recno);
}

void UNLOCK_FOR_MODIFY(WDBTable& t, bool skip) {
    if (skip) return;
    t.Commit();
    run_hook(t, 2);
    UNLOCK_WITHOUT_LOG(t);
}

bool IS_FILE(Db& db, const std::string& name, const std::string& directory) {
    std::string n = upper_ascii(trim(name));
    if (iequals(directory, "TEMP")) {
        for (const auto& t : db.temp_tables)
            if (iequals(t, n)) return true;
        return false;
    }
    return db.conn().table_exists("", n);
}

void XDBCOMMIT(Db& db) {
    if (db.XCOMMITALL) return;
    db.XCOMMITALL = 1;
    try {
        for (const auto& [area, name] : std::vector(db.XFILES_AREA))
            if (WDBTable* t = db.area(area)) t->Commit();
    } catch (...) {
        db.XCOMMITALL = 0;
        throw;
    }
    db.XCOMMITALL = 0;
}

}  // namespace qz::data
