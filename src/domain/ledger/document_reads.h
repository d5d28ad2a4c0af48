#pragma once
// One document as a clerk looks it up: its header with the names of the codes it carries, its
// article lines with their discount and tax, its extra header (ENC_DOC2), its instalments, and
// the payment lines applied to it (DET_MOVE by DET_MOV2) with each receipt's annulment. The
// windows that show a document know only these models.
//
// Cost: every part is read through the document's own key in its table's order, so looking a
// document up costs O(its lines, instalments and applications), whatever the ledger's size.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/customer_statement.h"
#include "domain/ledger/line_amounts.h"

namespace qz::domain {

// A code and the name its table gives it ("" when the code is blank or unknown).
struct NamedCode {
    std::string code, name;
    // "code - name", or the code alone when it has no name.
    std::string shown() const;
};

// The code with the name `field` gives it in a business's code table `table` (keyed NEGOCIO +
// code in the order of the table's own name).
NamedCode named_code(data::Db& db, const char* table, const char* field,
                     const std::string& business, const std::string& code);

struct DocumentHeader {
    std::string number;
    NamedCode concept_code;                        // CONCEPTO (CONCEPT1)
    int sign = 1;                                  // +1 debit concept, -1 credit concept
    std::string customer, branch, name, legal_id;  // CLIENTE, SUBCLIENTE, NOM_CLIENT, CEDULA
    Date date, due;                                // FECHA, VENCE
    std::string time;                              // HORA
    NamedCode currency;                            // MONEDA (MONEDAS)
    Decimal gross, amount, balance;                // BRUTO, MONTO, SALDO
    Decimal rate;                                  // TC_DIFF
    std::string diff_type;                         // COD_DIFF
    Decimal normal_interest, late_interest, interest,
        instalment;                                  // I_NORMAL, I_MORA, INTERES, CUOTA
    NamedCode agent;                                 // AGENTE (AGENTES)
    std::string cash_register, module, description;  // CAJA, MODULO, DESCRIP
    std::string annulled_by;      // ANULADO: the annulling (or annulled) document; "" while valid
    Date annulled_on;             // F_ANULA
    std::string annulled_at;      // H_ANULA
    int used = 0;                 // UTILIZADO
    std::string used_info;        // INFO_UTIL
    std::string user, user_info;  // USUARIO, INFO_USER
    bool annulled() const { return !annulled_by.empty(); }
};

struct DocumentLine {
    int index = 0;                  // N_INDEX
    std::string code, description;  // CODIGO; SPEC_FAC, else the article's name
    Decimal quantity, price, discount_pct, tax_pct;
    LineAmounts amounts;
};

// ENC_DOC2: contact, delivery and credit data typed with the document.
struct DocumentExtra {
    std::string attention, phone, fax, address;
    std::string name2, attention2, phone2, fax2, address2;
    std::string transport, plate, driver, driver_id;  // TRANSPORTE, PLACA, CHOFER, CEDULA
    Decimal credit_value;                             // VAL_DOC
    std::string payment_terms, credit_notes;          // CPAGO, CRED_OBS
    bool credit_approved = false;                     // APROB_CRED
    std::string image;                                // IMAGEN
};

struct DocumentData {
    DocumentHeader header;
    std::vector<DocumentLine> lines;
    LineAmounts totals;                  // the lines added up
    std::optional<DocumentExtra> extra;  // nothing when the document has no ENC_DOC2 row
    std::vector<Instalment> instalments;
};

std::optional<DocumentHeader> read_document_header(data::Db& db, const std::string& business,
                                                   const std::string& number);
// Nothing when the business has no such document.
std::optional<DocumentData> read_document_data(data::Db& db, const std::string& business,
                                               const std::string& number);

// One payment line applied to the document.
struct AppliedMovement {
    std::string movement;    // the receipt
    Date date;               // the receipt's date (the line's own when the receipt is missing)
    NamedCode concept_code;  // the payment concept (CONCEPT2)
    std::string description;
    Decimal amount, interest, late_interest;  // MONTO, INTERES, MORA
    Decimal balance_before, balance_after;    // SALDO_ANT, SALDO
    std::string annulled_by;                  // the receipt's ANULADO
};
// Every payment line applied to the document, in receipt-number order (DET_MOV2), annulled
// receipts and their mirrors included.
std::vector<AppliedMovement> document_movements(data::Db& db, const std::string& business,
                                                const std::string& document);

// Where the scanned image of a document (ENC_DOC2 IMAGEN) is: none typed, typed but not on
// disk, or found. A relative name is looked for under the installation directory.
struct DocumentImage {
    enum class State { None, Missing, Found };
    State state = State::None;
    std::string path;  // as resolved; "" for None
};
DocumentImage document_image(data::Db& db, const std::string& business,
                             const std::string& document);

inline constexpr const char* kAnnulledMark = "NULO";

}  // namespace qz::domain
