#pragma once
// V_AB_FAC ("Movimientos Aplicados a Documento"): every payment line applied to one document
// (DET_MOVE by DET_MOV2), with its receipt and date, payment concept, description, applied
// amount, interest and late interest, the document's balance before and after, and the
// receipt's annulment. Every screen that shows documents opens it for the chosen one.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

// Opens the window over `owner`; a number the business does not have is said and nothing opens.
void V_AB_FAC(QWidget* owner, data::Db& db, const std::string& business,
              const std::string& document);

namespace document_payments {
enum : int { kMovements = 500, kHeading = 501, kTotals = 502 };
// The columns of the movements.
enum : int {
    kReceiptCol,
    kDateCol,
    kConceptCol,
    kDescriptionCol,
    kAmountCol,
    kInterestCol,
    kLateCol,
    kBeforeCol,
    kAfterCol,
    kAnnulledCol,
};
}  // namespace document_payments

}  // namespace qz::gui
