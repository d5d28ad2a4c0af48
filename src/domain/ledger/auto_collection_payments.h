#pragma once
// "Generar Abonos" of the automatic collections: each row marked to apply becomes one payment
// of its customer, built as a payment draft and processed by PROCESA_ABONO, so it is numbered,
// checked and posted exactly as a payment typed in the payment window: header amount = the
// charge, one application with the document concept's default payment concept lowering the
// balance by the principal (the interest recorded with it), one tender of the chosen method for
// the charge, the receivable, interest (and complement) postings and the tender in journal "03".
//
// Every check runs for every row before anything is written, each one's questions asked once
// for the whole run: a refusal leaves the data as it was. Then each row is its own database
// transaction: a row whose document was paid meanwhile by another workstation, or that the
// database fails, rolls back alone, is never half-written, and is reported with its reason
// while the other rows go on; one transaction for the whole run would instead hold every
// document locked until the last receipt and lose the whole run to one row.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/auto_collection.h"
#include "domain/ledger/payment_draft.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

// What "Generar Abonos" (PAG_AUT2) asks for.
struct CollectionRun {
    std::string method;         // forma de pago of the tenders
    std::string block;          // receipt block
    std::string register_code;  // "Caja:"
    std::string pass_code;      // its "Clave:" as typed
    std::string clerk;          // "Digitador:"
    Date date;
    std::vector<PaymentRate> rates;  // "Cambio monetario": one per currency of the business
    bool print_receipts = false;     // "Imprimir Recibos"
};

// A payment written (its row has left the list by then).
struct CollectedRow {
    std::string receipt, document, customer, name, currency;
    Decimal amount;
};
struct FailedRow {
    std::string document;
    std::string reason;  // what the processing said
};
struct CollectionResult {
    bool refused = true;  // a check refused the run: nothing was written
    std::vector<CollectedRow> paid;
    std::vector<FailedRow> failed;
};

// What the window offers to choose from, code and name, in code order.
struct CollectionChoices {
    std::vector<CodeName> methods, blocks, registers, clerks;
};
CollectionChoices collection_choices(data::Db& db, const std::string& business);

// The rates of the business's currencies for `day`, as a payment of that day starts with them.
std::vector<PaymentRate> collection_rates(data::Db& db, UserPort& port, const std::string& business,
                                          const Date& day);

// Writes the payments of the marked rows of `list`, removes the rows paid from it and ends
// with "Fin de Proceso" (with the rows that failed, when any).
CollectionResult generate_payments(data::Db& db, UserPort& port, AutoCollection& list,
                                   const CollectionRun& run, const IniFile* workstation = nullptr);

inline constexpr const char* kNoMethod = "Falta definir tipo de pago";
inline constexpr const char* kNoBlock = "Falta definir el Block de Recibo";
inline constexpr const char* kNoRate = "Falta digitar el monto para el tipo de cambio";
inline constexpr const char* kEndOfRun = "Fin de Proceso";

}  // namespace qz::domain
