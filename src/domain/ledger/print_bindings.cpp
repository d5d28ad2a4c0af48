#include "domain/ledger/print_bindings.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

void keep_nonblank(std::vector<std::string>& out, const std::string& text) {
    if (!trim(text).empty()) out.push_back(rtrim(text));
}

}  // namespace

std::optional<ConceptPrintTexts> read_concept_print_texts(data::Db& db, const std::string& business,
                                                          const std::string& concept_code) {
    return read_code_row<ConceptPrintTexts>(
        db, "CONCEPT1", business, concept_code, [](const data::WDBTable& t) {
            ConceptPrintTexts c;
            c.code = trim(t.str("CONCEPTO"));
            c.name = trim(t.str("DESCRIP"));
            for (int i = 1; i <= 5; ++i)
                keep_nonblank(c.titles, t.str("TITULO_TQ" + std::to_string(i)));
            keep_nonblank(c.titles, t.str("TITULO_T12"));
            for (int i = 1; i <= 5; ++i) keep_nonblank(c.texts, t.str("TEXTO" + std::to_string(i)));
            c.discount_text = trim(t.str("T_DESC"));
            for (int i = 1; i <= 8; ++i)
                keep_nonblank(c.closing, t.str("FINAL_TIQ" + std::to_string(i)));
            c.agent_caption = trim(t.str("TXT_AGENTE"));
            c.print_agent = t.num("IMP_AGENTE") == 1;
            return c;
        });
}

std::vector<PrintBinding> read_print_bindings(data::Db& db, const std::string& business,
                                              const std::string& concept_code) {
    std::vector<PrintBinding> out;
    data::Table t = data::USE(db, "DET_CON1", "DET_CON1");
    const std::string key =
        data::order_key("DET_CON1", "DET_CON1", {business, normal_code(concept_code)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        PrintBinding b;
        b.concept_code = trim(t->str("CONCEPTO"));
        b.currency = trim(t->str("MONEDA"));
        b.format = trim(t->str("FORM_DOC"));
        b.printer = trim(t->str("PREDET_P"));
        b.printer2 = trim(t->str("PREDET_P2"));
        b.copies = static_cast<int>(t->num("N_COPIA").to_int());
        b.ticket = static_cast<int>(t->num("TICKET").to_int());
        b.doc_type = static_cast<int>(t->num("TIPO_DOC").to_int());
        b.no_log = t->num("NO_IMP_LOG") == 1;
        out.push_back(std::move(b));
    }
    data::KILLTABLA(db, t);
    return out;
}

void add_print_binding(data::Db& db, const std::string& business, const PrintBinding& b) {
    data::Table t = data::USE(db, "DET_CON1", "DET_CON1");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", business);
    t->FieldPut("CONCEPTO", normal_code(b.concept_code));
    t->FieldPut("MONEDA", normal_code(b.currency));
    t->FieldPut("FORM_DOC", normal_code(b.format));
    t->FieldPut("PREDET_P", normal_code(b.printer));
    t->FieldPut("PREDET_P2", normal_code(b.printer2));
    t->FieldPut("N_COPIA", Decimal(b.copies));
    t->FieldPut("TICKET", Decimal(b.ticket));
    t->FieldPut("TIPO_DOC", Decimal(b.doc_type));
    t->FieldPut("NO_IMP_LOG", Decimal(b.no_log ? 1 : 0));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

}  // namespace qz::domain
