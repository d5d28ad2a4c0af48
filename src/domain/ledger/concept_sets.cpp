#include "domain/ledger/concept_sets.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"

namespace qz::domain {

namespace {

using namespace code_rows;

constexpr CodeTable kSets{"ENC_CCON", "Conjunto", kSetDuplicate};

std::string members_key(const std::string& business, const std::string& set) {
    return data::order_key("DET_CCON", "DET_CCON", {business, normal_code(set)});
}

void put_set_row(data::WDBTable& t, const std::string& business, const ConceptSet& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(s.code));
    t.FieldPut("DESCRIP", trim(s.name));
}

// The DET_CCON records of the business (of one set when `set` is given) that hold `concept`.
std::vector<long> member_rows(data::Db& db, const std::string& business, const std::string& set,
                              const std::string& concept_code) {
    data::Table t = data::USE(db, "DET_CCON", "DET_CCON");
    const std::string key = set.empty() ? data::order_key("DET_CCON", "DET_CCON", {business})
                                        : members_key(business, set);
    t->SetScope(key, key);
    std::vector<long> out;
    for (t->GoTop(); !t->Eof(); t->Skip())
        if (trim(t->str("CONCEPTO")) == concept_code) out.push_back(t->RecNo());
    data::KILLTABLA(db, t);
    return out;
}

void delete_rows(data::Db& db, const char* table, const std::vector<long>& rows) {
    data::Table t = data::USE(db, table, table);
    for (long recno : rows) {
        t->GoTo(recno);
        data::LOCK_FOR_MODIFY(*t);
        if (!t->Deleted()) t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

bool rename_set(data::Db& db, UserPort& port, const std::string& business,
                const std::string& old_code, const ConceptSet& s) {
    const std::string code = normal_code(s.code);
    if (exists(db, kSets, business, code)) return refuse(port, kSetDuplicate);
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "ENC_CCON", "ENC_CCON");
        const bool found =
            lock_at_key(*t, data::order_key("ENC_CCON", "ENC_CCON", {business, old_code}));
        if (found) {
            put_set_row(*t, business, s);
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        if (!found) {
            tx.commit();  // nothing was written
            return refuse(port, "El Conjunto " + old_code + " ya no existe...");
        }
        recode_by_order(db, "DET_CCON", "DET_CCON", {business, old_code}, "ENCABEZADO", code);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace

std::vector<ConceptSet> concept_sets(data::Db& db, const std::string& business) {
    return business_rows<ConceptSet>(db, "ENC_CCON", business, [](const data::WDBTable& t) {
        return ConceptSet{trim(t.str("CODIGO")), trim(t.str("DESCRIP"))};
    });
}

std::vector<std::string> set_members(data::Db& db, const std::string& business,
                                     const std::string& set) {
    std::vector<std::string> out;
    if (normal_code(set).empty()) return out;
    data::UseOptions o;
    o.order = "DET_CCON";
    o.read_only = true;
    data::Table t = data::USE(db, "DET_CCON", o);
    const std::string key = members_key(business, set);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(trim(t->str("CONCEPTO")));
    data::KILLTABLA(db, t);
    return out;
}

bool save_concept_set(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const ConceptSet& s) {
    if (auto p = check_code_and_name(kSets, s.code, s.name); !p.empty()) return refuse(port, p);
    const std::string old_c = normal_code(old_code);
    if (!old_c.empty() && old_c != normal_code(s.code))
        return rename_set(db, port, business, old_c, s);
    return write(db, port, kSets, business, old_c, s.code,
                 [&](data::WDBTable& t) { put_set_row(t, business, s); });
}

bool delete_concept_set(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code) {
    const std::string c = normal_code(code);
    if (!port.confirm("Atencion", "Desea borrar el Conjunto?")) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "ENC_CCON", "ENC_CCON");
    const bool found = lock_at_key(*t, data::order_key("ENC_CCON", "ENC_CCON", {business, c}));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    delete_by_order(db, "DET_CCON", "DET_CCON", {business, c});
    tx.commit();
    return found;
}

bool add_set_member(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& set, const std::string& concept_code) {
    const std::string s = normal_code(set), c = normal_code(concept_code);
    if (s.empty() || !exists(db, kSets, business, s))
        return refuse(port, "Debe seleccionar un Conjunto de Conceptos...");
    if (c.empty() || !key_exists(db, "CONCEPT1", "CONCEPT1", {business, c}))
        return refuse(port, "Debe seleccionar un Concepto...");
    data::Transaction tx(db);
    if (!member_rows(db, business, s, c).empty()) {
        tx.commit();  // nothing was written
        return refuse(port, "El Concepto " + c + " ya pertenece al Conjunto " + s + "...");
    }
    data::Table t = data::USE(db, "DET_CCON", "DET_CCON");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", business);
    t->FieldPut("ENCABEZADO", s);
    t->FieldPut("CONCEPTO", c);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool remove_set_member(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& set, const std::string& concept_code) {
    const std::string s = normal_code(set), c = normal_code(concept_code);
    if (s.empty() || c.empty()) return refuse(port, "Debe seleccionar un Concepto del Conjunto...");
    data::Transaction tx(db);
    const auto rows = member_rows(db, business, s, c);
    delete_rows(db, "DET_CCON", rows);
    tx.commit();
    return !rows.empty();
}

void remove_from_every_set(data::Db& db, const std::string& business,
                           const std::string& concept_code) {
    delete_rows(db, "DET_CCON", member_rows(db, business, "", normal_code(concept_code)));
}

}  // namespace qz::domain
