#pragma once
// The set-up of payments: payment concepts (CONCEPT2: how an application moves a document's
// balance and the payment's available amount), payment methods (TIPO_MOV: how money was
// tendered and where it posts) and receipt blocks (T_RECIBO: the series receipts number from).
// Each table has one row mapper here; the screens only show these structs and hand them back.
#include <optional>
#include <string>
#include <vector>

#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct PaymentConcept {
    std::string code, name;
    int applies_to = 0;      // PERMITIDO: 0 debit documents, 1 credit documents
    int balance_sign = 0;    // TIPO: 0 lowers the document's balance, 1 raises it
    int available_sign = 0;  // TIPO_DISP: 0 uses up the payment's available amount, 1 adds
    std::string reversal;    // OPUESTO: the concept an annulment applies
    bool shown = true;       // SHOW: offered to users
    bool closing1 = false, closing2 = false, annuls = false;  // OK_CIERRE1/2, ES_ANULA
};

struct PaymentMethod {
    std::string code, name;
    std::string link;                // ASIENTO1: ledger link receiving the tender
    bool individual = false;         // INDIVIDUAL: the clerk types the account per tender
    int individual_side = 0;         // DB_IND: 0 debit, 1 credit
    int direction = 0;               // TIPO: 0 income, 1 outflow
    std::string reversal;            // OPUESTO: method of the reversal tender
    std::string charge, tip_charge;  // CARGO, CARGO2: hotel charge codes
    bool to_hotel = false, depositable = false, no_closing = false, no_special_closing = false;
    bool reads_change = false, annulment = false;
    bool needs_voucher = false;  // EXIGE_NTAR
    long voucher_min = 0;        // LEN_NTAR
    bool executive = false, executive_only = false;
    bool bank_movement = false;  // CREA_DEP with BANCO, CUENTA, CONC_DEP, CONC_ANULA
    std::string bank, account, deposit_concept, annul_concept;
    bool to_payroll = false;  // TO_NOMINA
    int card_provider = 0;    // P_ELECTRO: card terminal network, 0 none
    bool shown = true;        // SHOW
};

struct ReceiptBlock {
    std::string code, name;
    std::string series, pending_series;  // SERIAL, SERIAL2
    bool typed = false;                  // LEE_SERIAL: the receipt number is typed by hand
    long min_length = 0;                 // LONG_MIN of a typed number
};

PaymentConcept payment_concept_from_row(const data::WDBTable& t);
void put_payment_concept_row(data::WDBTable& t, const std::string& business,
                             const PaymentConcept& c);
PaymentMethod payment_method_from_row(const data::WDBTable& t);
void put_payment_method_row(data::WDBTable& t, const std::string& business, const PaymentMethod& m);
ReceiptBlock receipt_block_from_row(const data::WDBTable& t);
void put_receipt_block_row(data::WDBTable& t, const std::string& business, const ReceiptBlock& b);

std::optional<PaymentConcept> read_payment_concept(data::Db& db, const std::string& business,
                                                   const std::string& code);
std::optional<PaymentMethod> read_payment_method(data::Db& db, const std::string& business,
                                                 const std::string& code);
std::optional<ReceiptBlock> read_receipt_block(data::Db& db, const std::string& business,
                                               const std::string& code);

// Add (`old_code` empty) or change one. Every refusal is shown through `port` and writes
// nothing; true when saved.
bool save_payment_concept(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& old_code, const PaymentConcept& c);
bool save_payment_method(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const PaymentMethod& m);
bool save_receipt_block(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& old_code, const ReceiptBlock& b);

// Delete after the question; refused while another set-up row names the code.
bool delete_payment_concept(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& code);
bool delete_payment_method(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code);
bool delete_receipt_block(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code);

inline constexpr const char* kMethodDuplicate = "Este Código de Forma de Pago ya existe...";
inline constexpr const char* kConceptDuplicate = "Este Código de Concepto de Abono ya existe...";
inline constexpr const char* kBlockDuplicate = "Este Código de Block ya existe...";

}  // namespace qz::domain
