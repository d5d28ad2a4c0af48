#pragma once
// The parts of a document's annulment (document_annulment.h), each writing inside the
// transaction the annulment holds.
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/concepts.h"

namespace qz::domain::annulment {

// The document being annulled, as the checks and the steps read it.
struct Doc {
    std::string number, concept_code, customer, name, currency, annulled, mov_inv, warehouse;
    Date date, due;
    Decimal amount, balance;
};

Doc doc_from_row(const data::WDBTable& t);
std::optional<Doc> read_doc(data::Db& db, const std::string& business, const std::string& number);

// What F_FAC says about annulments.
struct Rules {
    int month = 0, year = 0;   // MES, ANHO: the active month
    bool issue_month = false;  // ANULA_MES: only in the month the document was issued
    bool posts = false;        // AFECTA_CON
};
Rules read_rules(data::Db& db, const std::string& business);

// The annulment date against the document's date and the active month; "" when it passes.
std::string date_problem(const Date& date, const Date& issued, const Rules& rules);

// `number` + "-A", or its first width - 2 characters + "-A" when that does not fit `width`.
std::string mirror_number(const std::string& number, size_t width);

// Who annuls and when: the annulment date, now, and the user stamp of every row written.
struct Stamp {
    std::string business, user, info;
    Date date;    // the annulment date
    DateTime at;  // the moment it is written
};

// A payment taken with a cash sale and its mirror number.
struct PaymentMirror {
    std::string number, mirror;
};

// Work orders invoiced into the document are free to be invoiced again.
void release_work_orders(data::Db& db, const std::string& business, const std::string& document);

// The document's lines copied to the mirror at the current average cost, the stock of stocked
// articles moved back by the opposite concept's direction, and its inventory movement mirrored.
void reverse_lines_and_stock(data::Db& db, const Stamp& s, const Doc& d,
                             const DocumentConcept& opposite, const std::string& mirror);

// The document's lines copied to `target` as reverse_lines_and_stock copies them, the stock
// moved by `direction`'s own TIPO2, and its other line tables (DET_DOC2, DET_DOC4) copied as
// they are; no inventory movement is written. A duplicated document's lines come this way.
void copy_lines_and_stock(data::Db& db, const Stamp& s, const Doc& d,
                          const DocumentConcept& direction, const std::string& target);

// Every journal line posted under the document (and under the payments given) posted again on
// the other side, in journal "02" on the annulment date under the mirror's number. Returns the
// journal's complaint when its voucher could not be opened ("" when posted).
// The text of a journal line's reversal: a posting's own tag turned into its reversal's ("Rev "
// before any other text). Document and payment annulments label their reversals alike.
std::string reversal_label(const std::string& label);

std::string reverse_postings(data::Db& db, const Stamp& s, const Doc& d,
                             const DocumentConcept& concept_row, const std::string& mirror,
                             const std::vector<PaymentMirror>& payments);

// The payments applied to a cash sale that are still valid, with their mirror numbers; a
// refusal (shown by the caller) when one cannot be mirrored.
struct PaymentPlan {
    std::vector<PaymentMirror> payments;
    std::string refusal;
};
PaymentPlan plan_payment_mirrors(data::Db& db, const std::string& business, const Doc& d);
// Each payment annulled by its mirror: header, application "(A)", tenders reversed, rates.
void mirror_payments(data::Db& db, const Stamp& s, const Doc& d,
                     const std::vector<PaymentMirror>& payments);

// The mirror document: the annulled one's customer, amounts and references under the opposite
// concept, balance 0, naming the annulled one in ANULADO.
void append_mirror(data::Db& db, const Stamp& s, const data::WDBTable& source,
                   const std::string& opposite, const std::string& mirror);
// The annulled document marked: balance 0, "DOCUMENTO ANULADO CON: " + mirror, ANULADO.
void mark_annulled(data::WDBTable& locked, const Stamp& s, const std::string& mirror);

}  // namespace qz::domain::annulment

namespace qz::domain {

struct AnnulmentPlan {
    annulment::Doc doc;
    std::optional<DocumentConcept> concept_row;  // there once the opposite concept was found
    DocumentConcept opposite;
    std::string mirror;
    std::vector<annulment::PaymentMirror> payments;
    bool posts = false;
};

}  // namespace qz::domain
