#pragma once
// Generating regular invoices (PROCESAR): the chosen regular documents of a set, or every one of
// a customer, become receivable documents of the application date, each with its lines, stock,
// instalments and journal lines, and its regular document's cut-off moves on.
//
// Every generated document commits on its own: the document, its lines, its stock, its journal
// lines and the new cut-off (FECHA_I) are one database transaction. Each document posts through
// an accounting transaction of its own on the day's "02" voucher and balances its own lines, so
// a run that stops (a failure, a cancel) keeps exactly the documents it finished, with their
// postings and cut-offs, and leaves the rest as they were: running it again generates the rest.
//
// A refusal (a missing model or concept, a concept numbered by hand, a cut-off later than the
// application date when it is validated, a missing rate) is told and skips that document alone;
// a failure while writing (stock short, a lock, the database) is told and stops the run.
// Customers that are not active are skipped without a word.
#include <algorithm>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/regular/regular_period.h"
#include "domain/regular/regular_rows.h"

namespace qz::domain::regular {

// F_FAC as generation reads it.
struct RegularSettings {
    Advance advance;                  // SUMA_ANO, SUMA_MES, SUMA_DIA
    bool append_description = false;  // TXT_REGULA
    bool customer_name = false;       // CLIENTE_M: the customer's name, else the branch's
};
RegularSettings read_regular_settings(data::Db& db, const std::string& business);

enum class RunMode {
    Marked = 1,    // the marked regular documents of a set
    WholeSet = 2,  // every regular document of a set
    Customer = 3,  // every regular document of one customer, emissions at once
};

struct RunRequest {
    RunMode mode = RunMode::Marked;
    std::string set;            // Marked, WholeSet
    std::vector<long> marked;   // Marked: CODIGO of the chosen ones
    std::string customer;       // Customer
    std::string branch;         // Customer: only that branch's; blank: every branch
    Date application;           // the documents' date
    Advance advance;            // per emission
    int emissions = 1;          // Customer: periods billed at once (amounts and advance × it)
    std::string description;    // replaces the period text (not for documents dated by day)
    std::string template_code;  // when given, every document is built from this template
    bool validate_cut_off = true;
    std::string register_code, operator_code;  // CAJA, DIGITADOR of the documents
    std::string user, info_user;
    const IniFile* workstation = nullptr;  // series named per workstation
    // Periods billed per document: the emissions in the customer mode, else one.
    int periods() const { return mode == RunMode::Customer ? std::max(emissions, 1) : 1; }
};

struct GeneratedDocument {
    std::string number;
    long regular = 0;  // CODIGO of the regular document
    std::string customer, branch, name, currency, period;
    Date date;
    Decimal amount;  // MONTO
};

struct RunResult {
    std::vector<GeneratedDocument> documents;
    int skipped = 0;       // refused or inactive
    bool stopped = false;  // a failure or a cancel ended the run early
    std::string failure;   // what stopped it
};

// The regular documents a request visits, in their order.
std::vector<RegularDocument> chosen_documents(data::Db& db, const std::string& business,
                                              const RunRequest& r);

// What the process dialog shows: how many documents and what one emission of them comes to
// (the models' MONTO).
struct RunPreview {
    long count = 0;
    Decimal per_emission;
    Decimal total(int emissions) const { return per_emission * Decimal(std::max(emissions, 1)); }
};
RunPreview preview_run(data::Db& db, const std::string& business, const RunRequest& r);

// CHECK_CAJA: the documents name a register of the point of sale and an operator of the
// business (documents on account take no money, so the register need not be open). "" when the
// choice is good, else the refusal.
std::string CHECK_CAJA(data::Db& db, const std::string& business, const std::string& register_code,
                       const std::string& operator_code);

// PROCESAR. The wait window shows "Procesando Documentos..." and "Cliente: " + name; its cancel
// stops the run after the document being written. Refused when accounting is on and the
// application date is outside the open periods (nothing generated, `stopped` set).
RunResult PROCESAR(data::Db& db, UserPort& port, const std::string& business, const RunRequest& r);

}  // namespace qz::domain::regular
