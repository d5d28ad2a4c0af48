#pragma once
// The operations business code uses on tables: open and close, append, lock and release, and the
// maintenance helpers. A lock or an open that cannot be had is tried again every poll interval;
// after the patience runs out each further failure tells the user (title "Alerta") and the loop
// goes on, except inside a transaction, where it abandons the transaction's block instead.
#include <functional>
#include <string>

#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::data {

// Opens a shared table (a name without extension) or makes a temporary table from a template (a
// name with an extension, "E_DOCS.DBF").
Table USE(Db& db, const std::string& file, const UseOptions& opts = {});
inline Table USE(Db& db, const std::string& file, const std::string& order) {
    UseOptions o;
    o.order = order;
    return USE(db, file, o);
}
// Closes the table (deleting it when temporary). Inside a transaction a shared table is parked
// until the transaction ends, keeping its locks; opening it again takes it back.
void KILLTABLA(Db& db, Table& t, bool force = false);
void CLEAR_FILEBAG(Db& db);

void ADD_NEW_REC(WDBTable& t, bool no_wait = false);
void ADD_WITHOUT_LOG(WDBTable& t);
void LOCK_FOR_MODIFY(WDBTable& t, bool skip = false);
void LOCK_WITHOUT_LOG(WDBTable& t);
void UNLOCK_FOR_MODIFY(WDBTable& t, bool skip = false);
inline void UNLOCK_NEW_REC(WDBTable& t) { UNLOCK_FOR_MODIFY(t); }
inline void UNLOCK_NEW(WDBTable& t) { UNLOCK_FOR_MODIFY(t); }
void UNLOCK_WITHOUT_LOG(WDBTable& t);

// Whether the table exists (in the shared database, or among this session's temporary tables
// when `directory` is "TEMP").
bool IS_FILE(Db& db, const std::string& name, const std::string& directory = "BASES");
// An empty table with the structure of an open one; in "TEMP" it is a temporary table of this
// session, elsewhere a shared table.
void COPY_STRUC(Db& db, WDBTable& source, const std::string& new_name,
                const std::string& directory = "TEMP");
// A table made from a template of the catalogue.
void DUP_FILE(Db& db, const std::string& template_name, const std::string& new_name,
              const std::string& directory = "TEMP");
// Removes deleted records of a shared table for good, holding it exclusively. Returns the number
// of records removed.
long SAVE_PACK(Db& db, const std::string& name, WaitWindow* progress = nullptr);
// Writes every pending change of every open table.
void XDBCOMMIT(Db& db);

// The retry loop shared by opens, appends and locks.
void wait_for(Db& db, const std::function<bool()>& attempt,
              const std::function<std::string()>& message, int retry_counter);

// Alias rule: first 7 characters of the base name padded with "0", then the area in 3 digits.
std::string make_alias(const std::string& name, int area);

}  // namespace qz::data
