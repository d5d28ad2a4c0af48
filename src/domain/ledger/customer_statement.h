#pragma once
// What a customer's statements print: the days a document is overdue (CALC_VENCIDOS), the open
// documents with the payments applied to each and their totals per currency, and the collection
// plan of the instalments still owed. The printouts know only these models.
//
// Cost: the open documents are read through the open class of DOCUMEN8 and each document's
// instalments and applications through their own orders, so a statement costs O(the customer's
// open documents, instalments and applications), whatever the size of the ledger.
#include <map>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain {

struct Instalment {
    Date due;
    Decimal amount;
    Decimal interest;  // INTERES of the instalment
};

// The days overdue of a document that has `paid` (MONTO - SALDO) on its instalments, walked by
// due date: the first instalment that what was paid does not cover counts, today - its due date
// when positive, else 0. A document whose instalments are all covered is not overdue.
long days_overdue(Decimal paid, const std::vector<Instalment>& plan, const Date& today);
// The instalments of a document (DOC_PARC) by due date.
std::vector<Instalment> document_instalments(data::Db& db, const std::string& business,
                                             const std::string& document);
long CALC_VENCIDOS(data::Db& db, const std::string& business, const std::string& document,
                   const Decimal& amount, const Decimal& balance, const Date& today);

// The principal branch of the customer, as every statement heads its pages.
struct StatementHeading {
    std::string code, name, legal_id;
    std::string branch, branch_name, address, phone, email;
    // The lines of the heading's box.
    std::string box_text() const;
};
StatementHeading statement_heading(data::Db& db, const std::string& business,
                                   const std::string& customer);

// Reads document concepts and currencies once per statement: +1 for debit concepts (CONCEPT1
// TIPO 1), -1 for credit ones; a currency's symbol, or its code when it has none.
class LedgerNames {
public:
    LedgerNames(data::Db& db, std::string business);
    int sign(const std::string& concept_code);
    std::string symbol(const std::string& currency);

private:
    data::Db& m_db;
    std::string m_business;
    std::map<std::string, int> m_signs;
    std::map<std::string, std::string> m_symbols;
};

struct AppliedPayment {
    Date date;
    std::string movement, description;
    Decimal amount;  // DET_MOVE MONTO: in the payment's currency
    Decimal change;  // SALDO - SALDO_ANT: what it did to the document's balance
};

struct StatementDocument {
    Date date, due;
    std::string number, currency, symbol, description;  // description cut to 31 characters
    int sign = 1;
    Decimal amount, balance;  // both signed
    long days_overdue = 0;
    std::vector<AppliedPayment> payments;
};

struct CurrencyTotal {
    std::string currency, symbol;
    Decimal amount, balance;
};

struct OpenStatement {
    StatementHeading heading;
    std::vector<StatementDocument> documents;  // by date, then number
    std::vector<CurrencyTotal> totals;         // by currency code
};
OpenStatement open_statement(data::Db& db, const std::string& business,
                             const std::string& customer, const Date& today);

// One instalment still owed of an open charge.
struct PlanLine {
    Date due;
    std::string number, currency, symbol;
    Decimal instalment, owed;
    long days_overdue = 0;  // today - due when positive
};
struct CollectionPlan {
    StatementHeading heading;
    std::vector<PlanLine> lines;        // by due date, then number
    std::vector<CurrencyTotal> totals;  // amount = instalments, balance = owed
};
// The instalments of the customer's open charges that what was paid does not cover (the first
// one only in part). Credit documents are not collected and stay out.
CollectionPlan collection_plan(data::Db& db, const std::string& business,
                               const std::string& customer, const Date& today);

inline constexpr size_t kStatementDescription = 31;

}  // namespace qz::domain
