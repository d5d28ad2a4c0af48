#pragma once
// Re-coding a document's number (viewer): the document takes the new number and the concept
// chosen, and everything that names it by number follows in the same transaction, so no line,
// instalment, revaluation, extra header or payment is left pointing at a number that no longer
// exists.
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct DocumentRecode {
    std::string old_number, new_number;
    std::string concept_code;  // "" keeps the document's concept
};

// A table that names a document by number, with an order beginning NEGOCIO + that field.
struct DocumentReference {
    const char* table;
    const char* order;
    const char* field;
};
// Its lines and their further rows (DET_DOC, DET_DOC2, DET_DOC4, DET_DOC5), its revaluations
// (DET_DOC3), extra header (ENC_DOC2), instalments (DOC_PARC), the applications of posted and
// pending payments (DET_MOVE, PDET_MOV), the payment that created it as a credit note
// (ENC_MOVE.NOTA_CRED) and the annulment references between it and its mirror
// (DOCUMENT.ANULADO).
const std::vector<DocumentReference>& document_references();

// Refuses a blank new number ("El nuevo código no puede estar en blanco"), one wider than the
// field, one another document has ("El nuevo código ya existe") and an unknown concept; the
// number the document already has changes only its concept. True once the
// document and every reference carry the new number.
bool recode_document(data::Db& db, UserPort& port, const std::string& business,
                     const DocumentRecode& r);

inline constexpr const char* kBlankNewNumber = "El nuevo código no puede estar en blanco";
inline constexpr const char* kNewNumberTaken = "El nuevo código ya existe";
inline constexpr const char* kUnknownConcept = "Concepto de Documento no encontrado: ";

}  // namespace qz::domain
