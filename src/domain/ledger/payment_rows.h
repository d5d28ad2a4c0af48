#pragma once
// The rows of a payment: its header (ENC_MOVE), its applications (DET_MOVE) and its tenders
// (DET_MOV2). Pending payments keep the same layouts (PENC_MOV, PDET_MOV, PDET_MV2), so one
// writer and one reader serve both; the caller appends or locks the record and holds the
// transaction.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/ledger/payment_draft.h"

namespace qz::domain {

// The tables of posted payments, and of pending ones.
struct PaymentTables {
    const char* header;
    const char* lines;
    const char* tenders;
};
inline constexpr PaymentTables kPostedPayment{"ENC_MOVE", "DET_MOVE", "DET_MOV2"};
inline constexpr PaymentTables kPendingPayment{"PENC_MOV", "PDET_MOV", "PDET_MV2"};

// An application as stored.
struct StoredApplication {
    std::string document, concept_code, description;
    Date date;
    std::string time;
    Decimal amount, interest, late, balance_before, balance_after;
};

void put_payment_header(data::WDBTable& t, const std::string& business, const std::string& number,
                        const PaymentHeader& h, const std::string& time);
// The header as the draft holds it (the pass code is never stored; `pending` stays blank).
PaymentHeader payment_header_from_row(const data::WDBTable& t);
void put_application(data::WDBTable& t, const std::string& business, const std::string& number,
                     const StoredApplication& a);
StoredApplication application_from_row(const data::WDBTable& t);
void put_tender(data::WDBTable& t, const std::string& business, const std::string& number,
                const PaymentTender& tender);
PaymentTender tender_from_row(const data::WDBTable& t);

// The applications and tenders of payment `number`, in the order written.
std::vector<StoredApplication> read_applications(data::Db& db, const PaymentTables& tables,
                                                 const std::string& business,
                                                 const std::string& number);
std::vector<PaymentTender> read_tenders(data::Db& db, const PaymentTables& tables,
                                        const std::string& business, const std::string& number);

// ADD_T_CAMBIOS: every currency of the business other than the accounting one at its rate for
// `date` (one unit in the accounting currency; 0 when the pair has no rate yet).
std::vector<PaymentRate> day_rates(data::Db& db, const std::string& business,
                                   const std::string& accounting_currency, const Date& date);
// The rates a payment was made at (DET_MOV3), in the caller's transaction.
void append_payment_rates(data::Db& db, const std::string& business, const std::string& number,
                          const std::string& accounting_currency,
                          const std::vector<PaymentRate>& rates);

// The next number of the receipt series that no receipt has yet (a number typed by hand in
// another block is stepped over); none when the series is missing. The series stays locked to
// the end of the caller's transaction.
std::optional<std::string> next_receipt_number(data::Db& db, const std::string& business,
                                               const std::string& series);

// Deletes the header, applications and tenders of payment `number` (a pending one once it is
// processed, or kept again), in the caller's transaction.
void delete_payment_rows(data::Db& db, const PaymentTables& tables, const std::string& business,
                         const std::string& number);

}  // namespace qz::domain
