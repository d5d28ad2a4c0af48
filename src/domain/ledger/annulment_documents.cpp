// The document rows of an annulment: the annulled document read and marked, its mirror
// appended, the work orders invoiced into it released.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/annulment_steps.h"
#include "domain/session/master_rows.h"

namespace qz::domain::annulment {

Doc doc_from_row(const data::WDBTable& t) {
    Doc d;
    d.number = trim(t.str("DOCUMENTO"));
    d.concept_code = trim(t.str("CONCEPTO"));
    d.customer = trim(t.str("CLIENTE"));
    d.name = trim(t.str("NOM_CLIENT"));
    d.currency = trim(t.str("MONEDA"));
    d.annulled = trim(t.str("ANULADO"));
    d.mov_inv = trim(t.str("MOV_INV"));
    d.warehouse = trim(t.str("BODEGA"));
    d.date = t.date("FECHA");
    d.due = t.date("VENCE");
    d.amount = t.num("MONTO");
    d.balance = t.num("SALDO");
    return d;
}

std::optional<Doc> read_doc(data::Db& db, const std::string& business, const std::string& number) {
    std::optional<Doc> d;
    if (trim(number).empty()) return d;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {business, trim(number)})))
        d = doc_from_row(*t);
    data::KILLTABLA(db, t);
    return d;
}

Rules read_rules(data::Db& db, const std::string& business) {
    Rules r;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        r.month = static_cast<int>(t->num("MES").to_int());
        r.year = static_cast<int>(t->num("ANHO").to_int());
        r.issue_month = t->num("ANULA_MES") == 1;
        r.posts = t->num("AFECTA_CON") == 1;
    }
    data::KILLTABLA(db, t);
    return r;
}

std::string date_problem(const Date& date, const Date& issued, const Rules& rules) {
    if (date.empty()) return "Fecha de Anulación inválida.";
    if (date < issued)
        return "La fecha de Anulación debe ser mayor o igual a la fecha del Documento";
    if (date.month() != rules.month)
        return "La fecha de Anulación no pertenece al Mes Activo: " +
               pad_left(std::to_string(rules.month), 2, '0');
    if (date.year() != rules.year)
        return "La fecha de Anulación no pertenece al Año Activo: " +
               pad_left(std::to_string(rules.year), 4, '0');
    if (rules.issue_month && (date.month() != issued.month() || date.year() != issued.year()))
        return "La fecha de Anulación no pertenece al Mes de Emisión del Documento";
    return "";
}

std::string mirror_number(const std::string& number, size_t width) {
    const std::string n = trim(number);
    const std::string suffix = "-A";
    if (n.size() + suffix.size() <= width) return n + suffix;
    return n.substr(0, width - suffix.size()) + suffix;
}

void release_work_orders(data::Db& db, const std::string& business, const std::string& document) {
    if (trim(document).empty()) return;  // every work order not invoiced yet: nothing to release
    data::Table t = data::USE(db, "ENC_WO", "ENC_WO2");
    const std::string key = data::order_key("ENC_WO", "ENC_WO2", {business, document});
    // Each release takes the row out of the key, so the next seek finds the next one.
    while (lock_at_key(*t, key)) {
        t->FieldPut("MOV_CXC", std::string());
        t->FieldPut("INFO_PROC", std::string());
        t->FieldPut("PROCESADO", Decimal(0));
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

void mark_annulled(data::WDBTable& t, const Stamp& s, const std::string& mirror) {
    t.FieldPut("SALDO", Decimal(0));
    t.FieldPut("DESCRIP", "DOCUMENTO ANULADO CON: " + mirror);
    t.FieldPut("ANULADO", mirror);
    t.FieldPut("F_ANULA", s.date);
    t.FieldPut("H_ANULA", s.at.time);
}

void append_mirror(data::Db& db, const Stamp& s, const data::WDBTable& source,
                   const std::string& opposite, const std::string& mirror) {
    // Who and what the annulled document was about, and its value (TC_DIFF keeps the mirror's
    // amount in the accounting currency what the annulled one's was).
    static const char* const kCopied[] = {
        "CLIENTE", "SUBCLIENTE", "NOM_CLIENT", "NOMBRE",  "CEDULA",  "MODULO",     "BODEGA",
        "BRUTO",   "MONTO",      "MONEDA",     "AGENTE",  "CAJA",    "P_COMISION", "OTROS1",
        "OTROS2",  "OTROS3",     "OTROS4",     "DESCRIP", "TC_DIFF", "COD_DIFF"};
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", s.business);
    for (const char* field : kCopied) t->FieldPut(field, source.FieldGet(field));
    const std::string mov_inv = trim(source.str("MOV_INV"));
    t->FieldPut("DOCUMENTO", mirror);
    t->FieldPut("CONCEPTO", opposite);
    t->FieldPut("SALDO", Decimal(0));
    t->FieldPut("FECHA", s.date);
    t->FieldPut("HORA", s.at.time);
    t->FieldPut("VENCE", s.at.date);
    t->FieldPut("ANULADO", trim(source.str("DOCUMENTO")));
    t->FieldPut("F_ANULA", s.date);
    t->FieldPut("H_ANULA", s.at.time);
    if (!mov_inv.empty())
        t->FieldPut("MOV_INV", mirror_number(mov_inv, data::field_width("ENC_INV", "MOVIMIENTO")));
    t->FieldPut("USUARIO", s.user);
    t->FieldPut("INFO_USER", s.info);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    // Every document has an instalment: the mirror's is its whole amount, due today.
    data::Table p = data::USE(db, "DOC_PARC", "DOC_PARC");
    data::ADD_NEW_REC(*p);
    p->FieldPut("NEGOCIO", s.business);
    p->FieldPut("DOCUMENTO", mirror);
    p->FieldPut("FECHA", s.at.date);
    p->FieldPut("MONTO", source.num("MONTO"));
    data::UNLOCK_NEW_REC(*p);
    data::KILLTABLA(db, p);
}

}  // namespace qz::domain::annulment
