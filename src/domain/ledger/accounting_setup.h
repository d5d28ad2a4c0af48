#pragma once
// What the accountant keeps for the journal entries, since this installation has no accounting
// module of its own: the chart of accounts (CUENTAS), the ledger links operations post through
// (LIGAS) and the journal classes beyond "01".."09" with their series (CLAS_CON). One row
// mapper each; the screens only show these structs and hand them back.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"
#include "data/wdbtable.h"

namespace qz::domain {

struct LedgerAccount {
    std::string code, name;
    bool major = false;    // MAYOR: a heading account, not posted to
    bool blocked = false;  // BLOQUEADO
};

struct LedgerLink {
    std::string code, name;
    std::string account, account2;  // CUENTA (principal books), CUENTA2 (replicated)
    int side = 1, side2 = 1;        // TIPO, TIPO2: 1 debit, 0 credit
    std::string group;              // GRUPO
};

// One row of a link's distribution (DET_LIGA): the share of each posted amount that the
// analysis line of `dimension` = `value` details.
struct LinkShare {
    std::string dimension, value;  // C_ANALIZA, CODIGO
    Decimal percent;               // PORCENT
    bool operator==(const LinkShare&) const = default;
};

struct JournalClass {
    std::string code, name, series;
};

LedgerAccount ledger_account_from_row(const data::WDBTable& t);
LedgerLink ledger_link_from_row(const data::WDBTable& t);
JournalClass journal_class_from_row(const data::WDBTable& t);

std::optional<LedgerAccount> read_ledger_account(data::Db& db, const std::string& business,
                                                 const std::string& code);
std::optional<LedgerLink> read_ledger_link(data::Db& db, const std::string& business,
                                           const std::string& code);
std::optional<JournalClass> read_journal_class(data::Db& db, const std::string& business,
                                               const std::string& code);

// The link's distribution in key order.
std::vector<LinkShare> read_link_distribution(data::Db& db, const std::string& business,
                                              const std::string& link);
// Replaces the link's distribution in one transaction. Refused (through `port`, nothing
// written) when the link is gone, a row lacks its dimension or value, a value appears twice
// in a dimension, a share is not above 0 and at most 100, or a dimension's shares exceed 100.
bool save_link_distribution(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& link, const std::vector<LinkShare>& shares);

// Add (`old_code` empty) or change; refusals shown through `port`; true when saved. A link's
// principal account must be in the chart (a blank one posts to the link's own code); a class
// is never one of the journals "01".."09" and numbers from a defined series.
bool save_ledger_account(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const LedgerAccount& a);
bool save_ledger_link(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const LedgerLink& l);
bool save_journal_class(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& old_code, const JournalClass& c);

// Deletions after the question, refused while something names the code.
bool delete_ledger_account(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code);
bool delete_ledger_link(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code);
bool delete_journal_class(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code);

inline constexpr const char* kAccountDuplicate = "Esta Cuenta Contable ya existe...";
inline constexpr const char* kLinkDuplicate = "Esta Liga Contable ya existe...";
inline constexpr const char* kClassDuplicate = "Esta Clase de Asiento ya existe...";

}  // namespace qz::domain
