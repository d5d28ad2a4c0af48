#pragma once
// "Datos del Documento" (dialog "DATOS_DOC"): everything a clerk needs of one document, read
// only — its header with the names of its codes, its article lines with their discount and tax,
// its extra header and its instalments, each on a page of its own. Every screen that shows
// documents opens it for the chosen one.
#include <string>

#include "data/db.h"

class QWidget;

namespace qz::gui {

// Shows the document modally; a number the business does not have is said and nothing opens.
void open_document_data(QWidget* owner, data::Db& db, const std::string& business,
                        const std::string& document);

namespace document_data {
// Control ids: the pages, the tables and the header fields a reader looks for.
enum : int {
    kPages = 500,
    kLines = 501,
    kInstalments = 502,
    kTotals = 503,
    kNoExtra = 504,
    kNumber = 101,
    kConcept,
    kCustomer,
    kBranch,
    kName,
    kLegalId,
    kDate,
    kDue,
    kCurrency,
    kRate,
    kGross,
    kAmount,
    kBalance,
    kPaid,
    kNormalInterest,
    kLateInterest,
    kInterest,
    kInstalment,
    kAgent,
    kRegister,
    kUser,
    kUserInfo,
    kUsed,
    kUsedInfo,
    kAnnulled,
    kAnnulledOn,
    kDescription,
};
}  // namespace document_data

inline constexpr const char* kNoSuchDocument = "El documento no existe";

}  // namespace qz::gui
