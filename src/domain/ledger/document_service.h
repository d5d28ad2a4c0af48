#pragma once
// The document service: every receivable document that is not an invoice with article lines
// (notes, opening balances, charges, the credit note of an over-payment, deposits) is created
// here, with its number, issue rate, extra header, instalment plan and postings. Callers that
// post other lines of their own pass their accounting transaction; a caller without one gets a
// journal "02" voucher of the document's date.
//
// Creation is all or nothing: it runs inside the caller's database transaction when there is
// one, else in one of its own, so a document is never left without its number, extra header,
// instalments or postings.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/ledger/concepts.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"

namespace qz::domain {

// The arguments of NEW_DOC, in the order the callers give them.
struct NewDocument {
    Decimal amount;  // always positive: the concept gives the sign
    std::string concept_code, currency, customer, branch, customer_name, agent, cash_register;
    std::string description;
    Date date;
    std::string time;  // "HH:MM:SS"; blank: now
    // Blank: drawn from the concept's series. Given: used as typed, or with "-2", "-3", …
    // appended while a document of that number exists. In annul mode, the document annulled.
    std::string number;
    bool annul = false;
    std::optional<int> term_days;  // none: the concept's PLAZO
    std::string purchase;          // COMPRA
    std::string cost_centre;       // C_COSTO of the document
    // The caller posts the document itself, as an invoice posts its article lines, so the
    // service posts no receivable against the counter-account of its own.
    bool caller_posts = false;
};

class GEN_DOC {
public:
    // `conta` is the caller's accounting transaction, or null.
    GEN_DOC(data::Db& db, UserPort& port, std::string business, ContaTransaction* conta = nullptr);
    // The number of the created document, or none after telling the user why (a concept
    // without a series, a missing rate, a number that cannot be suffixed, a document to annul
    // that does not exist or is annulled already, a database failure).
    std::optional<std::string> NEW_DOC(const NewDocument& d);
    void CLOSE() {}
    // The workstation's settings, for concepts numbered from a series of the workstation.
    void set_workstation(const IniFile* ini) { m_ini = ini; }

    // What one service reads once for all the documents it creates: the settings and the
    // concepts with their term plans (a batch creates thousands with a handful of concepts).
    struct Cache {
        std::optional<LedgerSettings> settings;
        std::map<std::string, std::optional<DocumentConcept>> concepts;
        std::map<std::string, std::vector<TermRow>> terms;
    };

private:
    data::Db& m_db;
    UserPort& m_port;
    std::string m_business;
    ContaTransaction* m_conta;
    const IniFile* m_ini = nullptr;
    Cache m_cache;
};

// `number` followed by `suffix`, or none when the result would not fit a document number.
std::optional<std::string> suffixed_number(const std::string& number, const std::string& suffix);

inline constexpr int kDocumentNumberWidth = 15;

}  // namespace qz::domain
