#include "domain/ledger/document_recode.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// Checks that need no lock; the new number is looked at again inside the transaction.
bool acceptable(data::Db& db, UserPort& port, const std::string& business,
                const DocumentRecode& r) {
    const std::string number = trim(r.new_number);
    if (number.empty()) return refuse(port, kBlankNewNumber);
    if (const auto why = code_width_problem("El nuevo código", number, "DOCUMENT", "DOCUMENTO");
        !why.empty())
        return refuse(port, why);
    if (number != trim(r.old_number) && key_exists(db, "DOCUMENT", "DOCUMENT", {business, number}))
        return refuse(port, kNewNumberTaken);
    const std::string code = normal_code(r.concept_code);
    if (!code.empty() && !read_document_concept(db, business, code))
        return refuse(port, kUnknownConcept + code);
    return true;
}

}  // namespace

const std::vector<DocumentReference>& document_references() {
    static const std::vector<DocumentReference> refs = {
        {"DET_DOC", "DET_DOC", "DOCUMENTO"},   {"DET_DOC2", "DET_DOC2", "DOCUMENTO"},
        {"DET_DOC4", "DET_DOC4", "DOCUMENTO"}, {"DET_DOC5", "DET_DOC5", "DOCUMENTO"},
        {"DET_DOC3", "DET_DOC3", "DOCUMENTO"}, {"ENC_DOC2", "ENC_DOC2", "DOCUMENTO"},
        {"DOC_PARC", "DOC_PARC", "DOCUMENTO"}, {"DET_MOVE", "DET_MOV2", "DOCUMENTO"},
        {"PDET_MOV", "DET_MOV2", "DOCUMENTO"}, {"ENC_MOVE", "ENC_MOV11", "NOTA_CRED"},
        {"DOCUMENT", "DOCUMEN24", "ANULADO"},
    };
    return refs;
}

bool recode_document(data::Db& db, UserPort& port, const std::string& business,
                     const DocumentRecode& r) {
    if (!acceptable(db, port, business, r)) return false;
    const std::string old_number = trim(r.old_number), new_number = trim(r.new_number);
    const std::string code = normal_code(r.concept_code);
    try {
        data::Transaction tx(db);
        const bool same = new_number == old_number;  // only the concept changes
        if (!same && key_exists(db, "DOCUMENT", "DOCUMENT", {business, new_number})) {
            tx.commit();
            return refuse(port, kNewNumberTaken);
        }
        {
            UsedTable doc(db, "DOCUMENT", "DOCUMENT");
            if (!lock_at_key(*doc, document_key(business, old_number))) {
                tx.commit();
                return refuse(port, kDocumentGone + old_number);
            }
            doc->FieldPut("DOCUMENTO", new_number);
            if (!code.empty()) doc->FieldPut("CONCEPTO", code);
            data::UNLOCK_FOR_MODIFY(*doc);
        }
        for (const auto& ref : document_references())
            if (!same)
                recode_by_order(db, ref.table, ref.order, {business, old_number}, ref.field,
                                new_number);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace qz::domain
