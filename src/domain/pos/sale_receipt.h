#pragma once
// The counter receipt of a point-of-sale document (ADD_ABONO): the payment taken with the sale,
// one tender row per way the customer paid, room charges on the hotel folio, the journal lines of
// the payment, and the document's balance lowered by it. Written inside the sale's transaction.
//
// A sale is never saved without the payment the customer made: the receipt book and its series
// are checked before the sale's transaction starts (check_sale_receipt), and a failure while
// writing the receipt throws, so the whole sale rolls back with it.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/journal.h"
#include "domain/pos/room_charge.h"
#include "domain/pos/tenders.h"

namespace qz::domain::pos {

// Before the sale's transaction: the refusal ("No se encuentra el Block de Recibos: " + code,
// "Consecutivo de Recibo no existe: " + code), or "" when a receipt can be numbered. Nothing is
// checked when nothing is paid.
std::string check_sale_receipt(data::Db& db, const std::string& business,
                               const DocumentConcept& doc_concept, const Decimal& paid);

struct SaleReceiptRequest {
    std::string business, document, customer, customer_name, currency, register_code;
    std::string user, info_user, cost_centre;
    Date date;
    std::string time;
    const DocumentConcept* doc_concept = nullptr;
    Decimal balance;  // the document's SALDO before the payment
    Decimal paid;     // the amount paid on this document (a cash concept: its whole balance)
    Decimal rate;     // sale currency -> accounting currency
    std::vector<TenderRow> tenders;      // the used rows of the sale
    std::vector<FolioArticle> articles;  // the document's lines, copied to a charged folio
};

// The receipt number written, or "" when nothing was paid. Throws std::runtime_error (with the
// message to show) on any failure, after which the caller rolls back. `conta` may be null when
// accounting is off.
std::string ADD_ABONO(data::Db& db, ContaTransaction* conta, const SaleReceiptRequest& request);

}  // namespace qz::domain::pos
