#pragma once
// The two ways a credit excess is authorised without typing the keys: a standing
// pre-authorisation of the branch (AUT_CRED) and a request answered from another workstation
// (C_REMOTA, with its receivables detail C_REMOT2). Both are single-use: whoever polls them,
// taking one is a read-check-write under the row's lock in one transaction, so of two
// workstations that saw the same row usable only the first is authorised.
#include <optional>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/decimal.h"
#include "data/db.h"
#include "data/wdbtable.h"
#include "domain/customers/credit_figures.h"

namespace qz::domain::customers {

struct PreAuthorisation {
    long recno = 0;
    std::string customer, branch;
    bool excess = false;  // EXCESO: covers excess over the limit up to max_excess
    Decimal max_excess;
    bool overdue = false;  // VENCIDO: covers overdue balance up to max_overdue
    Decimal max_overdue;
    bool valid = true;
    Date date, used_date;
    std::string time, user, used_time, used_user;
};
PreAuthorisation pre_authorisation_from_row(const data::WDBTable& t);
void put_pre_authorisation_row(data::WDBTable& t, const std::string& business,
                               const PreAuthorisation& a);

// Whether the pre-authorisation covers both what is over the limit and what is overdue.
bool covers(const PreAuthorisation& a, const CreditFigures& f);
// The first usable pre-authorisation of the branch that covers the figures; one that is too
// small is left alone, still valid.
std::optional<PreAuthorisation> usable_pre_authorisation(data::Db& db, const std::string& business,
                                                         const std::string& customer,
                                                         const std::string& branch,
                                                         const CreditFigures& f);
// Takes the pre-authorisation at `recno`: under its lock it must still be valid and cover the
// figures; then VALIDO 0 and the date and time of use. Returns the granting user, or nothing
// when another workstation took it first.
std::optional<std::string> consume_pre_authorisation(data::Db& db, long recno,
                                                     const CreditFigures& f, const DateTime& now);

std::vector<PreAuthorisation> pre_authorisations(data::Db& db, const std::string& business);
// Saves a pre-authorisation stamped with the granting user and now (recno 0 appends); refuses a
// missing customer or branch, and a change of one that another workstation deleted meanwhile.
std::optional<std::string> save_pre_authorisation(data::Db& db, const std::string& business,
                                                  PreAuthorisation a, const std::string& user,
                                                  const DateTime& now);
void delete_pre_authorisation(data::Db& db, long recno);

inline constexpr const char* kNoCustomer = "Debe seleccionar un Cliente";
inline constexpr const char* kNoBranch = "Debe seleccionar una Sucursal";
inline constexpr const char* kDeletePreAuthorisation = "Desea borrar la Autorización ?";
inline constexpr const char* kPreAuthorisationGone =
    "La Autorización fue borrada en otra estación; no se guardó ningún cambio";

// ESTADO of a remote request.
enum RemoteState { kRequested = 0, kApproved = 1, kUsed = 2, kAbandoned = 3, kRejected = 4 };

struct RemoteRequest {
    long id = 0;
    Date date;
    std::string time, user, info_user, module, approver;
    long user_number = 0;
    Decimal amount;  // MONTO: the excess
    int state = kRequested;
};

// Who asks and for what; the branch's name and the document go into the over-limit register.
struct RemoteAsk {
    std::string business, user, module = "CXC", branch_name, document;
    long user_number = 0;
    Decimal excess;
};
// Appends the request (ESTADO 0, ID its record number) and, for receivables, its detail with the
// receivable account; returns the ID.
long request_remote_authorisation(data::Db& db, const RemoteAsk& ask, const DateTime& now);
std::optional<RemoteRequest> read_remote_request(data::Db& db, const std::string& business,
                                                 long id);
std::vector<RemoteRequest> open_remote_requests(data::Db& db, const std::string& business);

// What polling a request found.
struct RemoteAnswer {
    enum Kind { Waiting, Granted, Rejected, Gone } kind = Waiting;
    std::string approver;
};
// Under the request's lock: approved → used (2) with the over-limit row in DET_AS4, Granted in
// the approver's name; rejected → Rejected; still open → Waiting; anything else (used by
// another poller, abandoned) → Gone.
RemoteAnswer take_remote_answer(data::Db& db, const RemoteAsk& ask, long id, const DateTime& now);
// The dialog closes without using the request: an open or approved one becomes abandoned (3).
void abandon_remote_request(data::Db& db, const std::string& business, long id);
// The approver's answer: only an open request is approved (1, AUTORIZA = user) or rejected (4).
bool answer_remote_request(data::Db& db, const std::string& business, long id, bool approve,
                           const std::string& user);

// The receivable account of the business: the ASIENTO4 link of its first payment-type concept.
std::string receivable_account(data::Db& db, const std::string& business);
// The two-digit code of a module's name in the over-limit register.
std::string module_code(const std::string& module);

inline constexpr const char* kRemoteAlreadyAsked =
    "Ya se ha solicitado una Autorización por esta Transacción";
inline constexpr const char* kRemoteRejected = "La Solicitud de Autorización fue rechazada";

}  // namespace qz::domain::customers
