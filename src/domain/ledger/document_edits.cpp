#include "domain/ledger/document_edits.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

namespace dc = qz::domain::customers;

// A code that must name a row of `table` when it is given.
bool known_code(data::Db& db, const char* table, const std::string& business,
                const std::string& code) {
    return key_exists(db, table, table, {business, normal_code(code)});
}

// The single instalment of a plan follows the document's amount; a longer plan is the plan
// editor's to share out.
void follow_single_instalment(data::Db& db, const std::string& business, const std::string& number,
                              const Decimal& amount) {
    UsedTable parc(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, number});
    parc->SetScope(key, key);
    if (parc->KeyCount() != 1) return;
    parc->GoTop();
    data::LOCK_FOR_MODIFY(*parc);
    parc->FieldPut("MONTO", amount);
    data::UNLOCK_FOR_MODIFY(*parc);
}

}  // namespace

bool change_document_branch(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& number, const std::string& branch) {
    const auto doc = read_viewed_document(db, business, number);
    if (!doc) return refuse(port, kDocumentGone + trim(number));
    std::optional<dc::Branch> chosen;
    for (const auto& s : dc::customer_branches(db, business, doc->customer))
        if (s.branch.code == normal_code(branch)) chosen = s.branch;
    if (!chosen) return refuse(port, kNoBranch);
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        if (trim(t.str("CLIENTE")) != doc->customer) return refuse(port, kNoBranch);
        t.FieldPut("SUBCLIENTE", chosen->code);
        t.FieldPut("NOM_CLIENT", chosen->name);
        return true;
    });
}

bool change_document_diff_type(data::Db& db, UserPort& port, const std::string& business,
                               const std::string& number, const std::string& diff_type) {
    if (normal_code(diff_type).empty() || !known_code(db, "COD_DIFF", business, diff_type))
        return refuse(port, kNoDiffType);
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        t.FieldPut("COD_DIFF", normal_code(diff_type));
        return true;
    });
}

bool edit_document_labels(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& number, const DocumentLabels& labels) {
    const auto doc = read_viewed_document(db, business, number);
    if (!doc) return refuse(port, kDocumentGone + trim(number));
    const auto concept_row = read_document_concept(db, business, doc->concept_code);
    const auto required = [&](const char* flag) { return concept_row && concept_row->flag(flag); };
    const std::string c1 = normal_code(labels.clas1), c2 = normal_code(labels.clas2);
    if ((c1.empty() && required("CLAS1")) ||
        (!c1.empty() && !known_code(db, "D_CLAS1", business, c1)))
        return refuse(port, kNoClass1Doc);
    if ((c2.empty() && required("CLAS2")) ||
        (!c2.empty() && !known_code(db, "D_CLAS2", business, c2)))
        return refuse(port, kNoClass2Doc);
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        t.FieldPut("DESCRIP", rtrim(labels.description));
        t.FieldPut("CLAS1", c1);
        t.FieldPut("CLAS2", c2);
        t.FieldPut("CLAS3", normal_code(labels.clas3));
        return true;
    });
}

bool change_document_agent(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& number, const std::string& agent) {
    if (!normal_code(agent).empty() && !known_code(db, "AGENTES", business, agent))
        return refuse(port, kNoAgentDoc);
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        t.FieldPut("AGENTE", normal_code(agent));
        return true;
    });
}

LineTotals document_line_totals(data::Db& db, const std::string& business,
                                const std::string& number) {
    UsedTable det(db, "DET_DOC", "DET_DOC");
    const std::string key = data::order_key("DET_DOC", "DET_DOC", {business, trim(number)});
    det->SetScope(key, key);
    LineTotals out;
    for (det->GoTop(); !det->Eof(); det->Skip()) {
        const Decimal base = det->num("PRECIO") * det->num("CANTIDAD");
        const Decimal discount = det->num("DESCUENTO");
        out.discount += base * discount / 100;
        out.tax += base * det->num("IMPUESTO") / 100 * (100 - discount) / 100;
    }
    out.discount = ROUND5(out.discount);
    out.tax = ROUND5(out.tax);
    return out;
}

bool recalculate_document_amount(data::Db& db, UserPort& port, const std::string& business,
                                 const std::string& number) {
    const auto doc = read_viewed_document(db, business, number);
    if (!doc) return refuse(port, kDocumentGone + trim(number));
    if (doc->state() == DocumentState::Annulled) return refuse(port, kAlreadyAnnulled);
    if (!port.confirm("Advertencia", kRecalcAsk)) return false;
    const LineTotals totals = document_line_totals(db, business, doc->number);
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        if (!trim(t.str("ANULADO")).empty()) return refuse(port, kAlreadyAnnulled);
        const Decimal paid = t.num("MONTO") - t.num("SALDO");
        const Decimal amount = ROUND5(t.num("BRUTO") + totals.tax - totals.discount);
        t.FieldPut("MONTO", amount);
        t.FieldPut("SALDO", amount - paid);
        follow_single_instalment(db, business, doc->number, amount);
        return true;
    });
}

}  // namespace qz::domain
