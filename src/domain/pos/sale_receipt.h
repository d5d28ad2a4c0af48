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

// Before the transaction: the refusal of receipt book `block` ("No se encuentra el Block de
// Recibos: " + code, "Consecutivo de Recibo no existe: " + series), or "" when a receipt can be
// numbered from it.
std::string check_receipt_block(data::Db& db, const std::string& business,
                                const std::string& block);
// The same for the book of a sale's concept; nothing is checked when nothing is paid.
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

// One document a counter receipt pays: `paid` in the receipt's currency, lowering the document's
// balance by `paid_doc` in the document's own currency (the same amount when they are one).
struct ReceiptApplication {
    std::string document;
    const DocumentConcept* doc_concept = nullptr;
    Decimal paid, paid_doc;
};

// A receipt taken at a register for one or more documents of one customer: the sale's receipt
// and the settling of earlier documents both write through it.
struct CounterReceipt {
    std::string business, customer, customer_name, currency, register_code, block, clerk;
    std::string user, info_user;
    Date date, limit;  // FECHA; F_LIMITE (blank when the receipt has none)
    std::string time;
    Decimal amount;               // ENC_MOVE MONTO
    Decimal rate;                 // receipt currency -> accounting currency
    int tender_sign = 1;          // -1: the money goes back to the customer (a credit document)
    std::string default_method;   // the tender of the whole amount when no row qualifies
    std::string charge_document;  // what a room charge names as its document
    std::vector<ReceiptApplication> applications;
    std::vector<TenderRow> tenders;
    std::vector<FolioArticle> articles;
};

// The next number of receipt book `block`'s series, the series locked to the end of the
// caller's transaction. Throws with "No se encuentra el Block de Recibos: " + code or
// "Consecutivo de Recibo no existe: " + series.
std::string take_receipt_number(data::Db& db, const std::string& business,
                                const std::string& block);
// Writes receipt `number` inside the caller's transaction; throws as ADD_ABONO does.
void write_counter_receipt(data::Db& db, ContaTransaction* conta, const CounterReceipt& receipt,
                           const std::string& number);

}  // namespace qz::domain::pos
