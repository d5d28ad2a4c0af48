#pragma once
// The login and everything that asks for a user's password again: the login dialog, the
// change of business, the session lock and the password changes. These are the rules only;
// the dialogs hand over what was typed and show what they are told through the UserPort.
//
// Passwords are kept as argon2id hashes. A record from an older installation that still holds
// its password plain or scrambled is accepted once when it matches and is re-stored hashed in
// the same transaction as the rest of that login's writes.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/ini_file.h"
#include "core/user_port.h"
#include "data/db.h"
#include "domain/session/session.h"
#include "domain/session/settings.h"
#include "domain/session/user_store.h"

namespace qz::domain {

namespace users {
struct UserRecord;
}

// The series title shown on the "Acceso Denegado" box.
inline constexpr const char* kSeriesTitle = "Serie Quartzen";

enum class LoginOutcome {
    Accepted,   // the session is open (or unlocked)
    TryAgain,   // the dialog stays open
    Abandoned,  // the attempts are exhausted: the dialog closes as cancelled
    Refused,    // an access block or a blocked account: the process ends
};

struct BusinessChoice {
    std::string code;  // NEGOCIOS.CODIGO, without padding
    std::string name;  // NEGOCIOS.DESCRIP, shown in the list
};

class LoginService {
public:
    // `ini` is the workstation's settings file, where the last business chosen is kept.
    LoginService(data::Db& db, UserPort& port, Session& session, AppSettings& settings,
                 IniFile& ini);

    // The business list of the login dialog and which entry to preselect: the business of the
    // last login on this workstation, else the first.
    std::vector<BusinessChoice> businesses();
    size_t preselected(const std::vector<BusinessChoice>& list) const;

    // The dialog's timer: an exit request interrupts the login (it is then abandoned).
    bool interrupted() const;

    // OK in the login dialog ("XLOGINUSR"). Accepted: the session carries the user, its rights
    // are loaded, its alternate data set is in use and its LOG_E_S record is written.
    LoginOutcome submit(const std::optional<std::string>& business, const std::string& name,
                        const std::string& password);

    // OK in the change-of-business dialog ("CHANGE_NEG"): the same verification in another
    // business. Accepted: the session moves to that business with the user's rights there and
    // XMANEJO_TC refreshed; the caller rebuilds the menu, runs CHECK_CAMBIO and the password
    // age check. Any other outcome leaves the session where it was.
    LoginOutcome change_business(const std::string& business, const std::string& name,
                                 const std::string& password);

    // OK in the session-lock dialog ("BLOQ_SESSION"): only the session's own user unlocks it.
    LoginOutcome unlock(const std::string& name, const std::string& password);

    // Failed attempts in this dialog so far.
    int failures() const { return m_failures; }

private:
    enum class Purpose { Login, ChangeBusiness, Unlock };
    struct Verdict;
    struct Message;
    static bool access_refused(data::Db& db, const std::string& module, bool supervisor,
                               bool account_blocked, std::vector<Message>& shown);
    Verdict verify(const std::string& business, const std::string& name,
                   const std::string& password, bool for_unlock);
    LoginOutcome settle(const Verdict& v, Purpose purpose);
    LoginOutcome count_failure(const std::string& business, std::vector<Message>& shown);
    bool data_set_available(const users::UserRecord& u, std::vector<Message>& shown);
    void open_session(const Verdict& v, std::optional<long> log_record);
    void take_over(const Verdict& v);
    long write_session_log(const std::string& business, const users::UserRecord& u);
    void remember_business(const std::string& business);

    data::Db& m_db;
    UserPort& m_port;
    Session& m_session;
    AppSettings& m_settings;
    IniFile& m_ini;
    int m_failures = 0;  // xCount
};

// "Realmente desea salir de QUARTZEN?": Cancel in the session-lock dialog. True = leave (the
// process ends without writing the session's exit).
bool confirm_leave_locked(UserPort& port);

// --- Password age -------------------------------------------------------------------------

// Days a password stays valid: the smaller of the two limits when both are positive, the
// positive one when only one is, none when neither is.
std::optional<long> password_age_limit(long business_days, long user_days);
// Whether the forced change (ACT_CLAVE) must run for the session: both tables have DIAS_CLAVE,
// the password date is known and today is more than the limit past it.
bool password_change_due(data::Db& db, const Session& session);

// --- Password change ------------------------------------------------------------------------

enum class ChangeOrigin { Forced = 1, Voluntary = 2 };

struct PasswordChangeForm {
    std::string current;
    std::string fresh;
    std::string repeat;
};

enum class ChangeOutcome {
    Changed,    // stored; "La Clave fue actualizada con Éxito"
    TryAgain,   // a check failed; the dialog stays open
    Exhausted,  // the attempts ran out; the dialog closes with 0
};

// The checks and the store of "ACT_CLAVE" and "CH_PASSWD", in their order: the user exists,
// the new password is long enough (SIZE_CLAVE of business and user, at least 3), the current
// one is right (each failure counts in `failures`; at INTENTOS, even 0, the account of a
// non-supervisor is blocked), repeat matches, and the new one differs from the current one.
ChangeOutcome change_password(data::Db& db, UserPort& port, Session& session,
                              const PasswordChangeForm& form, ChangeOrigin origin, int& failures);

// The voluntary change is only for supervisors and users with PERMISO1 = 1; tells the user why
// not otherwise.
bool may_change_password(data::Db& db, UserPort& port, const Session& session);

// --- Idle lock ------------------------------------------------------------------------------

// Whether a lock request (message 2223) is acted on: the module has a login, the window is not
// minimised and the session is not locked already.
bool lock_request_applies(const Session& session, bool module_login, bool minimised);
// Whether the session has been idle long enough to be locked: the limit applies (not
// XAPP_MESSAGE_NOCHECK), nothing happened for XAPP_MAX_MESSAGETIME since the last input or the
// last unlock, whichever is later.
bool idle_lock_due(const Session& session, const AppSettings& settings, long long last_input_ms,
                   long long now_ms);
// The lock dialog opens and closes.
void begin_lock(Session& session);
void end_lock(Session& session, long long now_ms);

}  // namespace qz::domain
