#pragma once
// The annulment of documents: "Anulación de Documentos" (ANULA_DOC, a browse of the valid
// documents, the annulment date and "Anular"), the annulment of one document by its number
// (ANUL_DOC, for the document viewer and the point of sale), the confirmation every annulment
// asks (CHECK_ANULA) and "Anulación de Factura en Blanco" (ANULA_D2). The rules are the
// domain's (document_annulment.h).
#include <string>

#include "data/db.h"
#include "domain/ledger/document_annulment.h"

class QWidget;

namespace qz::gui {

class WDIAG;

WDIAG* open_document_annulment(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user);

// ANUL_DOC over `document` (its number fixed) or, with a blank one, over a number the user
// types; the annulment date starts as today. True when a document was annulled.
bool annul_document_dialog(QWidget* owner, data::Db& db, const std::string& business,
                           const std::string& user, const std::string& document);

// CHECK_ANULA: the document's data; true when the user chose "Anular".
bool confirm_annulment(QWidget* owner, const domain::AnnulmentPreview& p);

// ANULA_D2; true when a number was voided.
bool void_blank_invoice_dialog(QWidget* owner, data::Db& db, const std::string& business,
                               const std::string& user);

namespace annul_ids {
// ANULA_DOC
enum : int { kGrid = 500, kDate = 101, kAnnul = 201 };
// ANUL_DOC
enum : int { kNumber = 101, kTypedDate = 102 };
// CHECK_ANULA: the shown values
enum : int {
    kShownDocument = 101,
    kShownDate,
    kShownDue,
    kShownCustomer,
    kShownAmount,
    kShownBalance,
    kShownPaid
};
// ANULA_D2
enum : int { kConcept = 101, kBlankNumber = 102, kBlankDate = 103, kNextNumber = 104 };
}  // namespace annul_ids

}  // namespace qz::gui
