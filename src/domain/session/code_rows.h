#pragma once
// The rules every small code table shares (a business's rows keyed by CODIGO in the order of the
// table's name): the code and name checks, a write in one transaction that changes a code only
// where the table's users can be re-coded with it, a deletion refused while something names the
// code; the rest (reading a row through its mapper) is master_rows.h's.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "core/user_port.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::code_rows {

// One code table of the business (order = the table's name, NEGOCIO + the code field).
struct CodeTable {
    const char* table;
    const char* subject;    // "El Código de ..." in messages
    const char* duplicate;  // the refusal of a code already defined
    const char* key = "CODIGO";
    const char* ask = nullptr;  // the deletion's question; "Desea borrar el <subject>?" if none
};

// Carries a code change into the rows that name the code, in the write's transaction.
using Recode =
    std::function<void(WaitWindow*, const std::string& old_code, const std::string& new_code)>;

inline bool exists(data::Db& db, const CodeTable& ct, const std::string& business,
                   const std::string& code) {
    return key_exists(db, ct.table, ct.table, {business, normal_code(code)});
}

// Whether the business has the series `code` of its own (blank owner): the one numbering draws
// from, not a user's series of the same code.
inline bool business_series_exists(data::Db& db, const std::string& business,
                                   const std::string& code) {
    return key_exists(db, "SERIALES", "SERIALES", {business, std::string(), normal_code(code)});
}

// The checks every code table shares, in the order the form shows the fields.
inline std::string check_code_and_name(const CodeTable& ct, const std::string& code,
                                       const std::string& name) {
    if (normal_code(code).empty()) return "El Código es requerido...";
    if (auto p = code_width_problem("El Código", normal_code(code), ct.table, ct.key); !p.empty())
        return p;
    if (trim(name).empty()) return "La Descripción es requerida...";
    return "";
}

// Writes the row of `code` (a new one when `old_code` is empty) in one transaction. Without
// `recode` a code is never changed: the records made with it (payments, vouchers, documents)
// keep it. With it, a new code is written to the row and carried by `recode` into its users
// under the wait text "Un momento por favor...", all in the same transaction.
template <class Put>
bool write(data::Db& db, UserPort& port, const CodeTable& ct, const std::string& business,
           const std::string& old_code, const std::string& code, Put put,
           const Recode& recode = {}) {
    const std::string c = normal_code(code), old_c = normal_code(old_code);
    const bool changes = !old_code.empty() && old_c != c;
    if (changes && !recode)
        return refuse(port, std::string("El Código de ") + ct.subject + " no se puede cambiar: " +
                                "los movimientos registrados lo conservan.");
    auto wait = changes ? port.wait("Un momento por favor...") : nullptr;
    try {
        data::Transaction tx(db);
        if ((old_code.empty() || changes) && exists(db, ct, business, c)) {
            tx.commit();  // nothing was written
            return refuse(port, ct.duplicate);
        }
        data::Table t = data::USE(db, ct.table, ct.table);
        if (old_code.empty()) {
            data::ADD_NEW_REC(*t);
        } else if (!lock_at_key(*t, data::order_key(ct.table, ct.table, {business, old_c}))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, std::string("El ") + ct.subject + " " + old_c + " ya no existe...");
        }
        put(*t);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (changes) recode(wait.get(), old_c, c);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

// The first row of the business in `table` whose `field` holds `code`, described for the
// refusal of a deletion; "" when none. Set-up tables are small: a walk over the business's rows.
inline std::string named_by(data::Db& db, const char* table, const char* field,
                            const std::string& code, const std::string& business, const char* what,
                            const char* key_field) {
    std::string found;
    for_business_rows(db, table, business, [&](const data::WDBTable& t) {
        if (found.empty() && trim(t.str(field)) == code)
            found = std::string(what) + " " + trim(t.str(key_field));
    });
    return found;
}

// `with_row`, when given, deletes the code's own detail rows in the same transaction.
inline bool remove(data::Db& db, UserPort& port, const CodeTable& ct, const std::string& business,
                   const std::string& code, const std::vector<std::string>& users,
                   const std::function<void()>& with_row = {}) {
    for (const auto& u : users)
        if (!u.empty())
            return refuse(port, std::string("No se puede borrar: el ") + ct.subject + " " + code +
                                    " está en uso en " + u + ".");
    const std::string ask = ct.ask ? ct.ask : std::string("Desea borrar el ") + ct.subject + "?";
    if (!port.confirm("Atencion", ask)) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, ct.table, ct.table);
    const bool found = lock_at_key(*t, data::order_key(ct.table, ct.table, {business, code}));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
        if (with_row) with_row();
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

}  // namespace qz::domain::code_rows
