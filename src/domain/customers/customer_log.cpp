#include "domain/customers/customer_log.h"

#include "core/datetime_text.h"
#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

const char* const kTable = "BITACORA";

void replace_all(std::string& s, const std::string& from, const std::string& to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
}

// The note at `recno`, locked; false (and nothing held) when it was deleted meanwhile.
bool lock_note(data::WDBTable& t, long recno) {
    t.GoTo(recno);
    if (t.Eof() || t.Deleted()) return false;
    data::LOCK_FOR_MODIFY(t);  // reads the row again
    if (!t.Eof() && !t.Deleted()) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

void put_draft(data::WDBTable& t, const std::string& business, const NoteDraft& d) {
    const std::string text = stored_text(d.text);
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CLIENTE", normal_code(d.customer));
    t.FieldPut("DOCUMENTO", trim(d.document));
    t.FieldPut("DESCRIP", text);
    t.FieldPut("DESCRIP2", FIRST_LINE(text));
}

bool blank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// Every field of every note of `customer`, as stored.
std::vector<std::vector<data::Value>> raw_notes(data::Db& db, const std::string& business,
                                                const std::string& customer) {
    std::vector<std::vector<data::Value>> out;
    data::UseOptions o;
    o.order = "BITACORA";
    o.read_only = true;
    data::Table t = data::USE(db, kTable, o);
    const std::string key = data::order_key(kTable, "BITACORA", {business, customer});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        std::vector<data::Value> row;
        for (int i = 1; i <= t->FCount(); ++i) row.push_back(t->FieldGet(i));
        out.push_back(std::move(row));
    }
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

std::string FIRST_LINE(const std::string& text) {
    std::string hard = text;
    replace_all(hard, "\r\r\n", "\r\n");
    const size_t end = hard.find_first_of("\r\n");
    return end == std::string::npos ? hard : hard.substr(0, end);
}

std::string stored_text(const std::string& text) {
    std::string s = text;
    replace_all(s, "\r\r\n", "\n");
    replace_all(s, "\r\n", "\n");
    replace_all(s, "\r", "\n");
    replace_all(s, "\n", "\r\n");
    return s;
}

LogNote log_note_from_row(const data::WDBTable& t) {
    LogNote n;
    n.customer = trim(t.str("CLIENTE"));
    n.document = trim(t.str("DOCUMENTO"));
    n.date = t.date("FECHA");
    n.time = trim(t.str("HORA"));
    n.text = rtrim(t.str("DESCRIP"));
    n.first_line = trim(t.str("DESCRIP2"));
    n.user = trim(t.str("USUARIO"));
    n.info = trim(t.str("INFO_USER"));
    n.last_date = t.date("ULT_FECHA");
    n.last_time = trim(t.str("ULT_HORA"));
    n.last_user = trim(t.str("ULT_USUARI"));
    n.last_info = trim(t.str("ULT_INFO"));
    return n;
}

long fill_log_keys(data::Db& db) {
    long filled = 0;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, kTable, "BITA_INV");
        const std::string none = data::order_key(kTable, "BITA_INV", {std::string()});
        // Each written row leaves the blank range, so the next seek finds the next one.
        while (lock_at_key(*t, none)) {
            t->FieldPut("INVERSO", NUM_INVERSO(t->date("FECHA"), t->str("HORA")));
            data::UNLOCK_FOR_MODIFY(*t);
            ++filled;
        }
        data::KILLTABLA(db, t);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        // Another workstation holds one of them (it is filling them too); the list is shown as
        // it is and the rest get their key the next time.
        return 0;
    }
    return filled;
}

std::vector<LogNote> customer_log(data::Db& db, const std::string& business,
                                  const std::string& customer) {
    std::vector<LogNote> out;
    data::UseOptions o;
    o.order = "BITACORA4";
    o.read_only = true;
    data::Table t = data::USE(db, kTable, o);
    const std::string key = data::order_key(kTable, "BITACORA4", {business, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        out.push_back(log_note_from_row(*t));
        out.back().recno = t->RecNo();
    }
    data::KILLTABLA(db, t);
    return out;
}

std::optional<LogNote> read_log_note(data::Db& db, long recno) {
    std::optional<LogNote> out;
    data::UseOptions o;
    o.read_only = true;
    data::Table t = data::USE(db, kTable, o);
    t->GoTo(recno);
    if (!t->Eof() && !t->Deleted()) {
        out = log_note_from_row(*t);
        out->recno = recno;
    }
    data::KILLTABLA(db, t);
    return out;
}

long add_log_note(data::Db& db, UserPort& port, const std::string& business, const NoteDraft& d,
                  const LogWriter& who) {
    if (blank(d.text)) {
        refuse(port, kBlankNote);
        return 0;
    }
    data::Table t = data::USE(db, kTable);
    data::ADD_NEW_REC(*t);
    put_draft(*t, business, d);
    t->FieldPut("FECHA", who.at.date);
    t->FieldPut("HORA", who.at.time);
    t->FieldPut("USUARIO", who.user);
    t->FieldPut("INFO_USER", info_user(who.at));
    t->FieldPut("INVERSO", NUM_INVERSO(who.at.date, who.at.time));
    data::UNLOCK_NEW_REC(*t);
    const long recno = t->RecNo();
    data::KILLTABLA(db, t);
    return recno;
}

bool change_log_note(data::Db& db, UserPort& port, long recno, const std::string& business,
                     const NoteDraft& d, const LogWriter& who) {
    if (blank(d.text)) return refuse(port, kBlankNote);
    data::Table t = data::USE(db, kTable);
    const bool found = lock_note(*t, recno);
    if (found) {
        put_draft(*t, business, d);
        t->FieldPut("ULT_FECHA", who.at.date);
        t->FieldPut("ULT_HORA", who.at.time);
        t->FieldPut("ULT_USUARI", who.user);
        t->FieldPut("ULT_INFO", info_user(who.at));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    return found;
}

bool delete_log_note(data::Db& db, long recno) {
    data::Table t = data::USE(db, kTable);
    const bool found = lock_note(*t, recno);
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    return found;
}

long copy_customer_log(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& source, const std::string& target) {
    const std::string from = normal_code(source), to = normal_code(target);
    const char* refusal = nullptr;
    if (to.empty() || !key_exists(db, "CLIENTES", "CLIENTES", {business, to}))
        refusal = kNoTarget;
    else if (to == from)
        refusal = kCopyToItself;
    if (refusal) {
        refuse(port, refusal);
        return -1;
    }
    const auto notes = raw_notes(db, business, from);
    if (notes.empty()) return 0;
    try {
        auto wait = port.wait("Un momento por favor...");
        data::Transaction tx(db);
        data::Table t = data::USE(db, kTable);
        for (const auto& row : notes) {
            data::ADD_NEW_REC(*t);
            for (size_t i = 0; i < row.size(); ++i) t->FieldPut(static_cast<int>(i + 1), row[i]);
            t->FieldPut("CLIENTE", to);
            data::UNLOCK_NEW_REC(*t);
        }
        data::KILLTABLA(db, t);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return -1;
    }
    return static_cast<long>(notes.size());
}

}  // namespace qz::domain::customers
