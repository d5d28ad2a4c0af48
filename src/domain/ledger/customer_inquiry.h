#pragma once
// What the customer inquiry (RES_CXC, "Consultas Clientes / CxC") reads: which order and scope
// list the customers of a filter and a customer's documents, how a document's use colours its
// row, the customer with its branches and the names of their codes, and the customer's payments
// newest first with what each was applied to.
//
// Cost: lists are scopes of orders (CLIENTE6/CLIENTE7 by state, DOCUMEN3/DOCUMEN15 by customer
// and branch, ENC_MOV2 by customer), so a search is one seek and no list walks the ledger.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/ledger/customer_statement.h"
#include "domain/ledger/document_reads.h"

namespace qz::domain {

enum class CustomerFilter { Active, Inactive, All };
// "Clientes Activos", "Clientes Inactivos", "Todos los Clientes", in the order of the enum.
const std::vector<std::string>& customer_filter_names();

// The orders a customer list of the filter sorts by and the key prefix that keeps it to the
// filter's customers of the business; a search types the code or the name after the prefix.
struct ListOrders {
    std::string by_code, by_name, scope;
};
ListOrders customer_list_orders(const std::string& business, CustomerFilter filter);

// The documents of a customer by date: of one branch (DOCUMEN15), or of all of them when
// `branch` is "" (DOCUMEN3).
struct DocumentScope {
    std::string order, scope;
};
DocumentScope customer_document_scope(const std::string& business, const std::string& customer,
                                      const std::string& branch);

// The highlight of a document's row by its UTILIZADO: 1 and 2 have one colour each (the entry of
// the grid's colour vector), every other value none (0).
int usage_highlight(int used);

struct InquiryBranch {
    std::string code, name;
    bool principal = false;
    std::string phone, fax, email, po_box;
    NamedCode agent;           // SUGIERE_A (AGENTES)
    NamedCode classification;  // CATEGORIA (CLAS_CL2)
};
struct InquiryCustomer {
    std::string code, name, legal_id;
    bool active = true;
    Date admitted, withdrawn;
    NamedCode clas1, clas2, clas3;        // CLAS_CLI
    NamedCode category;                   // CATEGORS
    std::vector<InquiryBranch> branches;  // the principal first
};
std::optional<InquiryCustomer> inquiry_customer(data::Db& db, const std::string& business,
                                                const std::string& code);

// One line of a payment: the document it went to and what it did there.
struct PaymentApplication {
    std::string document;
    NamedCode concept_code;  // the payment concept (CONCEPT2)
    std::string description;
    Decimal amount, balance_before, balance_after;
};
struct CustomerPayment {
    std::string movement;
    Date date;
    Decimal amount;
    std::string currency, description;
    std::string annulled_by;                       // ANULADO; "" while valid
    std::vector<PaymentApplication> applications;  // filled by payment_history only
    bool annulled() const { return !annulled_by.empty(); }
};
// The customer's receipts, newest first.
std::vector<CustomerPayment> customer_payments(data::Db& db, const std::string& business,
                                               const std::string& customer);
std::vector<PaymentApplication> payment_applications(data::Db& db, const std::string& business,
                                                     const std::string& movement);

// What "Imprimir Hist. Pagos" prints: the customer's heading, its receipts newest first, each
// with its applications, and what the valid (not annulled) receipts add up to per currency.
struct PaymentHistory {
    StatementHeading heading;
    std::vector<CustomerPayment> payments;
    std::vector<CurrencyTotal> totals;  // by currency code; `balance` is not used
};
PaymentHistory payment_history(data::Db& db, const std::string& business,
                               const std::string& customer);

}  // namespace qz::domain
