// Saving a concept writes its row, its print bindings and its term plan in one transaction; a
// new code re-codes every record that keeps the old one in that same transaction, so no document
// is ever left pointing at a concept that no longer exists.
#include <set>
#include <tuple>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/code_rows.h"
#include "domain/ledger/concept_sets.h"
#include "domain/ledger/concepts.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string concept_key(const std::string& business, const std::string& code) {
    return data::order_key("CONCEPT1", "CONCEPT1", {business, code});
}

// The records that keep a concept's code. Those with an order beginning with NEGOCIO and the
// code are re-coded through it; the small ones are walked over the business's rows.
struct ConceptField {
    const char* table;
    const char* order;
    const char* field;
    bool keyed;  // the order's second part is the field
};
constexpr ConceptField kConceptFields[] = {
    {"DOCUMENT", "DOCUMEN9", "CONCEPTO", true},    {"PDOCUMEN", "DOCUMEN9", "CONCEPTO", true},
    {"DET_CON1", "DET_CON1", "CONCEPTO", true},    {"DET_CON2", "DET_CON2", "CONCEPTO", true},
    {"DET_CCON", "DET_CCON", "CONCEPTO", false},   {"CONCEPT1", "CONCEPT1", "OPUESTO", false},
    {"CONCEPT1", "CONCEPT1", "PROF_C_FAC", false}, {"DET_CLIE", "DET_CLIE", "SUGIERE_C", false},
    {"CAJA_ENC", "CAJA_ENC", "DEF_CONC", false},
};

void recode_concept_references(data::Db& db, const std::string& business,
                               const std::string& old_code, const std::string& new_code,
                               WaitWindow* wait) {
    for (const auto& f : kConceptFields) {
        if (wait) wait->put_text(std::string("Recodificando ") + f.table + "...");
        if (f.keyed)
            recode_by_order(db, f.table, f.order, {business, old_code}, f.field, new_code, wait);
        else
            recode_in_scope(db, f.table, f.order, business, f.field, old_code, new_code);
    }
}

// Writes the concept's row; "" when written, else why not (nothing written).
std::string write_header(data::Db& db, const std::string& business, const std::string& old_code,
                         const DocumentConcept& c) {
    const std::string code = normal_code(c.code);
    data::Table t = data::USE(db, "CONCEPT1", "CONCEPT1");
    std::string refusal;
    if (old_code != code && t->Seek(concept_key(business, code))) {
        refusal = kDocConceptDuplicate;
    } else if (old_code.empty()) {
        data::ADD_NEW_REC(*t);
        put_document_concept_row(*t, business, c);
        data::UNLOCK_NEW_REC(*t);
    } else if (lock_at_key(*t, concept_key(business, old_code))) {
        put_document_concept_row(*t, business, c);
        data::UNLOCK_FOR_MODIFY(*t);
    } else {
        refusal = "El Concepto " + old_code + " ya no existe...";
    }
    data::KILLTABLA(db, t);
    return refusal;
}

// Brings DET_CON1 to the edited rows: stored rows no longer listed are deleted, changed ones
// rewritten, new ones (and any whose source another workstation deleted meanwhile) appended.
void write_bindings(data::Db& db, const std::string& business, const std::string& code,
                    const std::vector<ConceptBinding>& rows) {
    std::set<long> kept;
    for (const auto& b : rows)
        if (b.source > 0) kept.insert(b.source);
    data::Table t = data::USE(db, "DET_CON1", "DET_CON1");
    const std::string key = data::order_key("DET_CON1", "DET_CON1", {business, code});
    t->SetScope(key, key);
    std::vector<long> stored;
    for (t->GoTop(); !t->Eof(); t->Skip()) stored.push_back(t->RecNo());
    t->ClearScope();
    for (long recno : stored) {
        if (kept.count(recno)) continue;
        t->GoTo(recno);
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    const std::set<long> mine(stored.begin(), stored.end());
    for (const auto& b : rows) {
        ConceptBinding row = b;
        row.source = 0;
        if (mine.count(b.source)) {
            t->GoTo(b.source);
            if (binding_from_row(*t) == row) continue;
            data::LOCK_FOR_MODIFY(*t);
        } else {
            data::ADD_NEW_REC(*t);
        }
        put_binding_row(*t, business, code, row);
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

// The plan is small and has no identity per row: it is written again whole, in its order.
void write_plan(data::Db& db, const std::string& business, const std::string& code,
                const std::vector<TermRow>& plan) {
    delete_by_order(db, "DET_CON2", "DET_CON2", {business, code});
    data::Table t = data::USE(db, "DET_CON2", "DET_CON2");
    for (const auto& r : plan) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("CONCEPTO", code);
        t->FieldPut("PLAZO", Decimal(r.days));
        t->FieldPut("PORCENTAJE", r.percent);
        t->FieldPut("INTERES", r.interest);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

// What keeps a concept from being deleted; "" when nothing.
std::string concept_in_use(data::Db& db, const std::string& business, const std::string& code) {
    for (const char* table : {"DOCUMENT", "PDOCUMEN"})
        if (key_exists(db, table, "DOCUMEN9", {business, code}))
            return "el Concepto " + code + " tiene documentos registrados";
    std::string user;
    for_business_rows(db, "CONCEPT1", business, [&](const data::WDBTable& t) {
        const std::string other = trim(t.str("CONCEPTO"));
        if (user.empty() && other != code &&
            (trim(t.str("OPUESTO")) == code || trim(t.str("PROF_C_FAC")) == code))
            user = "el Concepto " + code + " está en uso en el Concepto " + other;
    });
    if (!user.empty()) return user;
    for (const auto& [table, field, what, key] :
         {std::tuple{"CAJA_ENC", "DEF_CONC", "la Caja", "CODIGO"},
          std::tuple{"DET_CLIE", "SUGIERE_C", "el Cliente", "CLIENTE"}})
        if (auto u = code_rows::named_by(db, table, field, code, business, what, key); !u.empty())
            return "el Concepto " + code + " está en uso en " + u;
    return "";
}

}  // namespace

bool save_document_concept(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& old_code, const DocumentConcept& c,
                           const std::vector<ConceptBinding>& bindings,
                           const std::vector<TermRow>& plan, ConceptProblem* problem) {
    const auto fail = [&](ConceptProblem p) {
        if (problem) *problem = p;
        return refuse(port, p.text);
    };
    if (auto p = check_document_concept(db, business, c, bindings, plan); !p.empty())
        return fail(p);
    const std::string old_c = normal_code(old_code), new_c = normal_code(c.code);
    if (old_c != new_c && key_exists(db, "CONCEPT1", "CONCEPT1", {business, new_c}))
        return fail({"CONCEPTO", kDocConceptDuplicate});
    const bool recode = !old_c.empty() && old_c != new_c;
    auto wait = recode ? port.wait("Recodificando...") : nullptr;
    try {
        data::Transaction tx(db);
        if (auto refusal = write_header(db, business, old_c, c); !refusal.empty()) {
            tx.commit();  // nothing was written
            return fail({"CONCEPTO", refusal});
        }
        if (recode) recode_concept_references(db, business, old_c, new_c, wait.get());
        write_bindings(db, business, new_c, bindings);
        write_plan(db, business, new_c, plan);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return fail({"", kRecodeAborted});
    }
    return true;
}

bool delete_document_concept(data::Db& db, UserPort& port, const std::string& business,
                             const std::string& code) {
    const std::string c = normal_code(code);
    if (auto why = concept_in_use(db, business, c); !why.empty())
        return refuse(port, "No se puede borrar: " + why + ".");
    if (!port.confirm("Atencion", "Desea borrar el Concepto?")) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "CONCEPT1", "CONCEPT1");
    const bool found = lock_at_key(*t, concept_key(business, c));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    if (found) {
        delete_by_order(db, "DET_CON1", "DET_CON1", {business, c});
        delete_by_order(db, "DET_CON2", "DET_CON2", {business, c});
        remove_from_every_set(db, business, c);
    }
    tx.commit();
    return found;
}

}  // namespace qz::domain
