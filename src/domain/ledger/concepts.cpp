// The row mappers of CONCEPT1, DET_CON1 and DET_CON2, and the reads the screens and the rules
// share. Saving and deleting are in concept_save.cpp, the checks in concept_checks.cpp.
#include "domain/ledger/concepts.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

int whole(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_int());
}
Decimal bit(bool b) { return Decimal(b ? 1 : 0); }

size_t flag_index(const char* field) {
    const auto it = std::find_if(kConceptFlags.begin(), kConceptFlags.end(),
                                 [field](const char* f) { return std::strcmp(f, field) == 0; });
    if (it == kConceptFlags.end()) throw std::logic_error(std::string("no flag ") + field);
    return static_cast<size_t>(it - kConceptFlags.begin());
}

// Calls `fn` on every row of `table` (ordered NEGOCIO + CONCEPTO first) of one concept.
template <class Fn>
void for_concept_rows(data::Db& db, const char* table, const std::string& business,
                      const std::string& code, Fn fn) {
    data::UseOptions o;
    o.order = table;
    o.read_only = true;
    data::Table t = data::USE(db, table, o);
    const std::string key = data::order_key(table, table, {business, normal_code(code)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) fn(*t);
    data::KILLTABLA(db, t);
}

}  // namespace

bool DocumentConcept::flag(const char* field) const { return flags[flag_index(field)]; }
void DocumentConcept::set_flag(const char* field, bool on) { flags[flag_index(field)] = on; }

DocumentConcept document_concept_from_row(const data::WDBTable& t) {
    DocumentConcept c;
    c.code = trim(t.str("CONCEPTO"));
    c.name = trim(t.str("DESCRIP"));
    c.term_days = whole(t, "PLAZO");
    c.opposite = trim(t.str("OPUESTO"));
    c.debit = whole(t, "TIPO");
    c.stock_entry = whole(t, "TIPO2");
    c.books = whole(t, "PROC_CONTA");
    for (size_t i = 0; i < kConceptLinks.size(); ++i) c.links[i] = trim(t.str(kConceptLinks[i]));
    c.stock_concept = trim(t.str("MOV_INVENT"));
    c.sales_centre = trim(t.str("C_VENTA"));
    c.diff_type = trim(t.str("COD_DIFF"));
    c.late_rate = t.num("I_MORA");
    c.series = trim(t.str("SERIAL"));
    c.pending_series = trim(t.str("SERIAL2"));
    c.payment_concept = trim(t.str("ABONO_DEF"));
    c.income_concept = trim(t.str("ABONO_DEF2"));
    c.receipt_block = trim(t.str("ABONO_BLO"));
    c.payment_method = trim(t.str("T_MOV_DEF"));
    c.report_currency = trim(t.str("MON_REP"));
    c.max_lines = whole(t, "MAX_LINEAS");
    c.proforma_concept = trim(t.str("PROF_C_FAC"));
    c.collection_stage = trim(t.str("ETAPA_COB"));
    for (size_t i = 0; i < kConceptFlags.size(); ++i) c.flags[i] = whole(t, kConceptFlags[i]) == 1;
    for (size_t i = 0; i < kConceptTexts.size(); ++i) c.texts[i] = trim(t.str(kConceptTexts[i]));
    return c;
}

void put_document_concept_row(data::WDBTable& t, const std::string& business,
                              const DocumentConcept& c) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CONCEPTO", normal_code(c.code));
    t.FieldPut("DESCRIP", trim(c.name));
    t.FieldPut("PLAZO", Decimal(c.term_days));
    t.FieldPut("OPUESTO", normal_code(c.opposite));
    t.FieldPut("TIPO", Decimal(c.debit));
    t.FieldPut("TIPO2", Decimal(c.stock_entry));
    t.FieldPut("PROC_CONTA", Decimal(c.books));
    for (size_t i = 0; i < kConceptLinks.size(); ++i)
        t.FieldPut(kConceptLinks[i], trim(c.links[i]));
    t.FieldPut("MOV_INVENT", normal_code(c.stock_concept));
    t.FieldPut("C_VENTA", normal_code(c.sales_centre));
    t.FieldPut("COD_DIFF", normal_code(c.diff_type));
    t.FieldPut("I_MORA", c.late_rate);
    t.FieldPut("SERIAL", normal_code(c.series));
    t.FieldPut("SERIAL2", normal_code(c.pending_series));
    t.FieldPut("ABONO_DEF", normal_code(c.payment_concept));
    t.FieldPut("ABONO_DEF2", normal_code(c.income_concept));
    t.FieldPut("ABONO_BLO", normal_code(c.receipt_block));
    t.FieldPut("T_MOV_DEF", normal_code(c.payment_method));
    t.FieldPut("MON_REP", normal_code(c.report_currency));
    t.FieldPut("MAX_LINEAS", Decimal(c.max_lines));
    t.FieldPut("PROF_C_FAC", normal_code(c.proforma_concept));
    t.FieldPut("ETAPA_COB", normal_code(c.collection_stage));
    for (size_t i = 0; i < kConceptFlags.size(); ++i) t.FieldPut(kConceptFlags[i], bit(c.flags[i]));
    for (size_t i = 0; i < kConceptTexts.size(); ++i) t.FieldPut(kConceptTexts[i], c.texts[i]);
}

ConceptBinding binding_from_row(const data::WDBTable& t) {
    ConceptBinding b;
    b.currency = trim(t.str("MONEDA"));
    b.format = trim(t.str("FORM_DOC"));
    b.printer = trim(t.str("PREDET_P"));
    b.printer2 = trim(t.str("PREDET_P2"));
    b.copies = whole(t, "N_COPIA");
    b.ticket = whole(t, "TICKET");
    b.doc_type = whole(t, "TIPO_DOC");
    b.no_log = whole(t, "NO_IMP_LOG") == 1;
    // The work copy names the row it came from; read_bindings gives a stored row its own.
    if (t.FieldPos("N_REC")) b.source = static_cast<long>(t.num("N_REC").to_int());
    return b;
}

void put_binding_row(data::WDBTable& t, const std::string& business,
                     const std::string& concept_code, const ConceptBinding& b) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CONCEPTO", normal_code(concept_code));
    t.FieldPut("MONEDA", normal_code(b.currency));
    t.FieldPut("FORM_DOC", normal_code(b.format));
    t.FieldPut("PREDET_P", normal_code(b.printer));
    t.FieldPut("PREDET_P2", normal_code(b.printer2));
    t.FieldPut("N_COPIA", Decimal(b.copies));
    t.FieldPut("TICKET", Decimal(b.ticket));
    t.FieldPut("TIPO_DOC", Decimal(b.doc_type));
    t.FieldPut("NO_IMP_LOG", bit(b.no_log));
    if (t.FieldPos("N_REC")) t.FieldPut("N_REC", Decimal(static_cast<long long>(b.source)));
}

TermRow term_from_row(const data::WDBTable& t) {
    return TermRow{whole(t, "PLAZO"), t.num("PORCENTAJE"), t.num("INTERES")};
}

std::optional<DocumentConcept> read_document_concept(data::Db& db, const std::string& business,
                                                     const std::string& code) {
    return read_code_row<DocumentConcept>(db, "CONCEPT1", business, code,
                                          document_concept_from_row);
}

std::vector<DocumentConcept> business_document_concepts(data::Db& db, const std::string& business) {
    return business_rows<DocumentConcept>(db, "CONCEPT1", business, document_concept_from_row);
}

std::vector<ConceptBinding> read_bindings(data::Db& db, const std::string& business,
                                          const std::string& code) {
    std::vector<ConceptBinding> out;
    for_concept_rows(db, "DET_CON1", business, code, [&](data::WDBTable& t) {
        out.push_back(binding_from_row(t));
        out.back().source = t.RecNo();
    });
    return out;
}

std::vector<TermRow> read_term_plan(data::Db& db, const std::string& business,
                                    const std::string& code) {
    std::vector<TermRow> out;
    for_concept_rows(db, "DET_CON2", business, code,
                     [&](data::WDBTable& t) { out.push_back(term_from_row(t)); });
    return out;
}

void fill_binding_copy(data::WDBTable& copy, const std::string& business,
                       const std::string& concept_code, const std::vector<ConceptBinding>& rows) {
    for (const auto& b : rows) {
        data::ADD_NEW_REC(copy);
        put_binding_row(copy, business, concept_code, b);
        data::UNLOCK_NEW_REC(copy);
    }
    copy.GoTop();
}

std::vector<ConceptBinding> bindings_of_copy(data::WDBTable& copy) {
    std::vector<ConceptBinding> out;
    const long at = copy.Eof() ? 0 : copy.RecNo();
    for (copy.GoTop(); !copy.Eof(); copy.Skip()) out.push_back(binding_from_row(copy));
    if (at > 0) copy.GoTo(at);
    return out;
}

}  // namespace qz::domain
