#pragma once
// "Estado de Cuenta Histórico": every document and payment of a customer (or of one of its
// branches) dated within a range, after the balance each currency had at its start, with the
// running balance line by line.
//
// A document moves the balance by its amount signed by its concept (+1 debit, -1 credit); a
// payment by what it did to the balance of each document it was applied to (SALDO - SALDO_ANT),
// signed the same way. Annulments are documents and payments of their own whose mirrors cancel
// the originals, so the balance of any date is what the ledger owed on it.
#include <string>
#include <vector>

#include "domain/ledger/customer_statement.h"

namespace qz::domain {

struct HistoricLine {
    Date date;
    bool payment = false;          // a payment's application; else a document
    std::string number;            // document or movement
    std::string document;          // the document a payment was applied to
    std::string description;       // cut to 31 characters
    std::string currency, symbol;
    Decimal debit, credit;         // both positive
    Decimal balance;               // the currency's running balance after the line
};

struct HistoricCurrency {
    std::string currency, symbol;
    Decimal opening, debit, credit, closing;
};

struct HistoricStatement {
    StatementHeading heading;
    Date from, to;
    std::string branch;  // "" = every branch
    std::vector<HistoricLine> lines;
    std::vector<HistoricCurrency> currencies;  // by currency code
};

// Cost: O(the customer's documents and payments) through DOCUMEN3 and ENC_MOV2.
HistoricStatement historic_statement(data::Db& db, const std::string& business,
                                     const std::string& customer, const std::string& branch,
                                     const Date& from, const Date& to);

}  // namespace qz::domain
