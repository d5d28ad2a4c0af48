#include "domain/ledger/manual_receipt.h"

#include <optional>

#include "core/stamp.h"
#include "core/text.h"
#include "data/amount_field.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/currencies.h"
#include "domain/ledger/document_edits.h"
#include "domain/ledger/document_figures.h"
#include "domain/ledger/document_viewer.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/rates.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/statement_tables.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

// The optimistic check of payments: the balance read is no longer the document's.
constexpr const char* kBalanceChanged =
    "Las siguientes facturas tuvieron variaciones en el saldo por otro proceso :\r\n";

// What the checks settled, for the write.
struct Plan {
    ViewedDocument doc;
    ReceiptBlock block;
    std::string customer_name;
    std::string concept_code;
    Decimal new_balance;  // the document's, once the amount is applied
};

// A refusal told to the user, for the checks that answer with what they found.
std::nullopt_t refused(UserPort& port, const std::string& text) {
    refuse(port, text);
    return std::nullopt;
}

bool receipt_exists(data::Db& db, const std::string& business, const std::string& number) {
    return key_exists(db, "ENC_MOVE", "ENC_MOVE", {business, number});
}

bool check_typed_number(data::Db& db, UserPort& port, const std::string& business,
                        const ReceiptBlock& b, const std::string& number) {
    if (!b.typed) return true;
    if (number.empty()) return refuse(port, kBlankReceipt);
    if (static_cast<long>(utf8_length(number)) < b.min_length)
        return refuse(port, kShortReceipt + std::to_string(b.min_length));
    if (const auto why = code_width_problem("El # de Recibo", number, "ENC_MOVE", "MOVIMIENTO");
        !why.empty())
        return refuse(port, why);
    return !receipt_exists(db, business, number) || refuse(port, kReceiptTaken + number);
}

// The application of the amount: the concept that applies it and the document's new balance.
bool check_application(data::Db& db, UserPort& port, const std::string& business,
                       const ManualReceipt& r, Plan& p) {
    if (p.doc.state() == DocumentState::Annulled) return refuse(port, kAlreadyAnnulled);
    const auto doc_concept = read_document_concept(db, business, p.doc.concept_code);
    const bool by_default = normal_code(r.payment_concept).empty();
    p.concept_code =
        by_default && doc_concept ? doc_concept->payment_concept : normal_code(r.payment_concept);
    const auto pay = read_payment_concept(db, business, p.concept_code);
    if (!pay) return refuse(port, kNoPaymentConcept);
    if (doc_concept && pay->applies_to != doc_concept->stock_entry)
        return refuse(port, by_default ? kWrongDefaultConcept : kWrongConcept);
    const auto rate = required_rate(db, business, p.doc.currency, r.currency, r.date);
    if (!rate) return refuse(port, rate.problem);
    const Decimal applied = ROUND5(r.amount * rate.factor);
    p.new_balance = pay->balance_sign == 0 ? p.doc.balance - applied : p.doc.balance + applied;
    return pay->balance_sign != 0 || p.new_balance >= 0 || refuse(port, kOverBalance);
}

std::optional<Plan> check(data::Db& db, UserPort& port, const std::string& business,
                          const ManualReceipt& r) {
    Plan p;
    const auto block = read_receipt_block(db, business, r.block);
    if (!block) return refused(port, kNoBlock);
    p.block = *block;
    if (normal_code(r.currency).empty() || !read_currency(db, business, normal_code(r.currency)))
        return refused(port, kNoCurrency);
    if (r.date.empty()) return refused(port, kBadReceiptDate);
    const auto doc = read_viewed_document(db, business, r.document);
    if (!doc) return refused(port, kDocumentGone + trim(r.document));
    p.doc = *doc;
    const auto customer = customers::read_customer(db, business, doc->customer);
    p.customer_name = customer ? customer->name : doc->name;
    if (!check_typed_number(db, port, business, p.block, trim(r.number))) return std::nullopt;
    if (const auto why = data::amount_field("ENC_MOVE", "MONTO", "Monto").check(r.amount);
        !why.empty())
        return refused(port, why);
    if (r.amount > 0 && !check_application(db, port, business, r, p)) return std::nullopt;
    return p;
}

// The block's next number inside the transaction (or the typed one); "" after telling why not.
std::string receipt_number(data::Db& db, UserPort& port, const std::string& business, const Plan& p,
                           const ManualReceipt& r) {
    if (p.block.typed) return trim(r.number);
    const std::string n = GET_NXSERIAL(db, business, p.block.series);
    std::string why;
    if (is_no_serial(n))
        why = kNoReceiptSeries + p.block.series;
    else if (receipt_exists(db, business, trim(n)))
        why = kReceiptTaken + trim(n);
    if (why.empty()) return trim(n);
    refuse(port, why);
    return "";
}

void write_header(data::Db& db, const std::string& business, const std::string& number,
                  const Plan& p, const ManualReceipt& r, const customers::LogWriter& who) {
    UsedTable enc(db, "ENC_MOVE", "ENC_MOVE");
    data::ADD_NEW_REC(*enc);
    const std::pair<const char*, data::Value> fields[] = {
        {"NEGOCIO", business},       {"MOVIMIENTO", number},
        {"FECHA", r.date},           {"HORA", who.at.time},
        {"CLIENTE", p.doc.customer}, {"NOM_CLIENT", p.customer_name},
        {"MONTO", r.amount},         {"MONEDA", normal_code(r.currency)},
        {"BLOCK", p.block.code},     {"DESCRIP", trim(r.description)},
        {"USUARIO", who.user},       {"INFO_USER", info_user(who.at)}};
    for (const auto& [field, value] : fields) enc->FieldPut(field, value);
    data::UNLOCK_NEW_REC(*enc);
}

// The application line and the document's balance; false when the document changed since it
// was read, so the balance the line records would be wrong.
bool apply(data::Db& db, const std::string& business, const std::string& number, const Plan& p,
           const ManualReceipt& r, const customers::LogWriter& who) {
    UsedTable doc(db, "DOCUMENT", "DOCUMENT");
    if (!lock_at_key(*doc, document_key(business, p.doc.number))) return false;
    const bool unchanged = doc->num("SALDO") == p.doc.balance;
    if (unchanged) doc->FieldPut("SALDO", p.new_balance);
    data::UNLOCK_FOR_MODIFY(*doc);
    if (!unchanged) return false;
    UsedTable det(db, "DET_MOVE", "DET_MOVE");
    data::ADD_NEW_REC(*det);
    const std::pair<const char*, data::Value> fields[] = {{"NEGOCIO", business},
                                                          {"MOVIMIENTO", number},
                                                          {"DOCUMENTO", p.doc.number},
                                                          {"CONCEPTO", p.concept_code},
                                                          {"DESCRIP", "Abono a " + p.doc.number},
                                                          {"FECHA", r.date},
                                                          {"HORA", who.at.time},
                                                          {"MONTO", r.amount},
                                                          {"SALDO_ANT", p.doc.balance},
                                                          {"SALDO", p.new_balance}};
    for (const auto& [field, value] : fields) det->FieldPut(field, value);
    data::UNLOCK_NEW_REC(*det);
    return true;
}

std::string log_text(const std::string& number, const Plan& p, const ManualReceipt& r,
                     const customers::LogWriter& who) {
    const AmountField money = data::amount_field("DOCUMENT", "SALDO", "");
    std::string text = "Recibo manual " + number + " del documento " + p.doc.number + " por " +
                       who.user + " el " + who.at.date.dtoc4() + " " + who.at.time;
    if (r.amount > 0)
        text += "\r\nSaldo: " + money.show(p.doc.balance) + " -> " + money.show(p.new_balance);
    return text;
}

}  // namespace

std::string MOD_DOC2(data::Db& db, UserPort& port, const std::string& business,
                     const ManualReceipt& r, const Rights& rights,
                     const customers::LogWriter& who) {
    if (!check_repair_right(port, rights)) return "";
    const auto plan = check(db, port, business, r);
    if (!plan) return "";
    try {
        data::Transaction tx(db);
        const std::string number = receipt_number(db, port, business, *plan, r);
        if (number.empty()) {
            tx.commit();  // nothing written
            return "";
        }
        write_header(db, business, number, *plan, r, who);
        if (r.amount > 0 && !apply(db, business, number, *plan, r, who)) {
            tx.rollback();
            refuse(port, kBalanceChanged + plan->doc.number);
            return "";
        }
        customers::add_log_note(
            db, port, business,
            {plan->doc.customer, plan->doc.number, log_text(number, *plan, r, who)}, who);
        tx.commit();
        return number;
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return "";
    }
}

}  // namespace qz::domain
