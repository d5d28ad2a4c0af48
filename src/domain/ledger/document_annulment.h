#pragma once
// Annulling receivable documents. Nothing is deleted: the document keeps its rows, is marked
// annulled (balance 0, ANULADO, F_ANULA, H_ANULA) and is mirrored by a document of its concept's
// opposite numbered with "-A", which carries the annulled number in its own ANULADO. Its lines
// and stock, its postings and, for a cash sale, the payment taken with it are reversed in the
// same transaction, so an annulment is there whole or not at all.
//
// Numbers are 15 characters. A number too long for "-A" keeps its first 13 characters before
// it; both documents still name each other in full in ANULADO (20 characters). Such a shortened
// number, like any mirror number, may already belong to another document: the annulment is
// then refused rather than written over or beside it.
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct AnnulmentRequest {
    std::string business, document;
    std::string user;  // USUARIO: the user's short code
    Date date;         // the annulment date as typed; empty when it is not a date
};

// What the user confirms before anything is written ("Información del Documento por Anular").
struct AnnulmentPreview {
    std::string document, customer, customer_name, currency;
    Date date, due;
    Decimal amount, balance;
    Decimal paid() const { return amount - balance; }  // "Abonos:"
};

// Asked once every check before it passed; false stops the annulment with nothing written.
using ConfirmAnnulment = std::function<bool(const AnnulmentPreview&)>;

enum class AnnulmentStatus {
    Annulled,
    Refused,   // a check failed: its message was shown, nothing written
    Declined,  // the user did not confirm
    Failed,    // the database gave up: rolled back, "No se pudo procesar la Anulación..."
};

struct AnnulmentResult {
    AnnulmentStatus status = AnnulmentStatus::Refused;
    std::string mirror;                 // the annulling document
    std::vector<std::string> payments;  // the payments of a cash sale annulled with it
    std::string message;                // the last thing the user was told
};

// ANULA_DOC: the checks in their order, each refusal shown through `port`: already annulled,
// payments received, a cash sale whose payment was annulled, the annulment date (valid, not
// before the document, in the active month and year, in the month of issue when F_FAC
// ANULA_MES = 1), with accounting on an open accounting period, a credit note made by a
// payment; then `confirm`; then the opposite concept. The annulment itself is one transaction
// (releasing work orders, marking, mirroring, lines and stock, postings reversed in journal
// "02", a cash sale's payment mirrored), ending with "Documento anulado con Éxito"; after it the
// listeners of document_annulment_listeners.h hear of it.
AnnulmentResult annul_document(data::Db& db, UserPort& port, const AnnulmentRequest& r,
                               const ConfirmAnnulment& confirm);

// The two halves of annul_document. decide_annulment runs the checks and the confirmation and
// writes nothing; write_annulment writes what was decided, in one transaction that sees the
// document again under its lock, then tells the user and the listeners.
struct AnnulmentPlan;  // what the checks found, for the write
struct AnnulmentDecision {
    std::shared_ptr<const AnnulmentPlan> plan;
};
std::variant<AnnulmentDecision, AnnulmentResult> decide_annulment(data::Db& db, UserPort& port,
                                                                  const AnnulmentRequest& r,
                                                                  const ConfirmAnnulment& confirm);
AnnulmentResult write_annulment(data::Db& db, UserPort& port, const AnnulmentRequest& r,
                                const AnnulmentDecision& decision);

// ANULA_D2: an invoice number that was never used (a spoiled form, a gap in the series) is
// accounted for by a document of amount 0 already annulled, with its mirror, so every number
// of the series shows up in the ledger. `number` blank draws the next number of the concept's
// series; a typed number must not exist. The date is checked as an annulment date (valid, in
// the active month and year). Nothing is posted: there is no amount.
struct BlankInvoiceRequest {
    std::string business, concept_code, number, user;
    Date date;
};
AnnulmentResult void_blank_invoice(data::Db& db, UserPort& port, const BlankInvoiceRequest& r);

inline constexpr const char* kAnnulled = "Documento anulado con Éxito";
inline constexpr const char* kAnnulmentFailed =
    "No se pudo procesar la Anulación.  Por favor vuelva a intentar...";

}  // namespace qz::domain
