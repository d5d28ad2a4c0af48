#include "domain/session/login.h"

#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/forced_exit.h"
#include "domain/session/log_sessions.h"
#include "domain/session/rights.h"
#include "domain/session/user_store.h"

namespace qz::domain {

namespace {

const std::string kBlockedForAll = "Se encuentra globalmente bloqueado el Acceso al Sistema";
const std::string kNotifyLater =
    kBlockedForAll + "\n" + "Se le notificará cuando tenga Acceso nuevamente...";

// The short code of a user table without ABREVIA.
const std::string kNoShortCode = "XX";

enum class Failure { None, UnknownUser = 1, WrongPassword = 2 };

// The access block of F_SYS: one record for the whole installation.
bool system_blocked(data::Db& db) {
    data::Table t = data::USE(db, "F_SYS");
    const bool blocked = !t->Eof() && t->FieldPos("BLOQUEADO") && t->num("BLOQUEADO") == 1;
    data::KILLTABLA(db, t);
    return blocked;
}

// BUTTONSTYL 0, 1, 2 chooses among the dialog framework's button styles 3, 0 and 5.
int button_style(int stored) {
    switch (stored) {
        case 1:
            return 0;
        case 2:
            return 5;
        default:
            return 3;
    }
}

DbAccess data_set_of(data::Db& db, const std::string& subbase) {
    if (trim(subbase).empty()) return {};
    data::Table t = data::USE(db, "SUBBASES", "SUBBASES");
    DbAccess access;
    if (t->Seek(data::order_key("SUBBASES", "SUBBASES", {subbase})))
        access = DbAccess{trim(t->str("DIRECTORIO")), trim(t->str("CODIGO"))};
    data::KILLTABLA(db, t);
    return access;
}

}  // namespace

struct LoginService::Message {
    MsgStyle style;
    std::string title, text;
};

// The access blocks, in their order: the system block of F_SYS, the exit request, the user's
// own block. They are looked at whatever the password was. True when the process must end.
bool LoginService::access_refused(data::Db& db, const std::string& module, bool supervisor,
                                  bool account_blocked, std::vector<Message>& shown) {
    if (system_blocked(db)) {
        if (!supervisor) {
            shown.push_back({MsgStyle::Error, "ATENCION", kNotifyLater});
            return true;
        }
        shown.push_back(
            {MsgStyle::Atencion, "ATENCION",
             kBlockedForAll + "\n" + "En su calidad de Supervisor, recuerde desbloquear..."});
    }
    auto request = read_exit_request(db.home());
    if (request && exit_request_applies(*request, module, kLoginLastFlag)) {
        if (!supervisor) {
            shown.push_back({MsgStyle::Error, "ATENCION", kNotifyLater});
            return true;
        }
        shown.push_back(
            {MsgStyle::Atencion, "ATENCION",
             kBlockedForAll + "\n" + "En su calidad de Supervisor, se le permite entrar..."});
    }
    if (account_blocked && !supervisor) {
        shown.push_back(
            {MsgStyle::Error, "ERROR", "Ud. tiene temporalmente bloqueado el Acceso al Sistema"});
        return true;
    }
    return false;
}

struct LoginService::Verdict {
    std::string business;
    std::optional<users::UserRecord> user;
    Failure failure = Failure::None;
    bool supervisor() const { return user && user->supervisor(); }
};

LoginService::LoginService(data::Db& db, UserPort& port, Session& session, AppSettings& settings,
                           IniFile& ini)
    : m_db(db), m_port(port), m_session(session), m_settings(settings), m_ini(ini) {}

std::vector<BusinessChoice> LoginService::businesses() {
    std::vector<BusinessChoice> list;
    data::Table t = data::USE(m_db, "NEGOCIOS", "NEGOCIOS");
    for (; !t->Eof(); t->Skip()) list.push_back({trim(t->str("CODIGO")), trim(t->str("DESCRIP"))});
    data::KILLTABLA(m_db, t);
    return list;
}

size_t LoginService::preselected(const std::vector<BusinessChoice>& list) const {
    const std::string last = trim(m_ini.get("LAST_NEG", "LAST_NEG"));
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].code == last) return i;
    return 0;
}

bool LoginService::interrupted() const { return exit_request_exists(m_db.home()); }

LoginOutcome LoginService::submit(const std::optional<std::string>& business,
                                  const std::string& name, const std::string& password) {
    if (!business || trim(*business).empty()) {
        m_port.message(MsgStyle::Error, "Error", "Debe seleccionar una compañía válida");
        return LoginOutcome::TryAgain;
    }
    Verdict v = verify(*business, name, password, false);
    remember_business(v.business);
    return settle(v, Purpose::Login);
}

LoginOutcome LoginService::change_business(const std::string& business, const std::string& name,
                                           const std::string& password) {
    Verdict v = verify(business, name, password, false);
    remember_business(v.business);
    return settle(v, Purpose::ChangeBusiness);
}

LoginOutcome LoginService::unlock(const std::string& name, const std::string& password) {
    return settle(verify(m_session.XU_COMP, name, password, true), Purpose::Unlock);
}

LoginService::Verdict LoginService::verify(const std::string& business, const std::string& name,
                                           const std::string& password, bool for_unlock) {
    Verdict v;
    v.business = trim(business);
    v.user = users::find_by_name(m_db, v.business, name);
    // Only the session's own user may take a locked session back.
    if (v.user && for_unlock && v.user->CODIGO != m_session.XUSER_NUMBER.value_or(-1))
        v.user.reset();
    if (!v.user)
        v.failure = Failure::UnknownUser;
    else if (!v.user->password_matches(password))
        v.failure = Failure::WrongPassword;
    return v;
}

LoginOutcome LoginService::settle(const Verdict& v, Purpose purpose) {
    std::vector<Message> shown;
    const bool supervisor = v.supervisor();
    const bool account_blocked = v.user && v.user->BLOQUEADO == 1;
    LoginOutcome outcome = LoginOutcome::Accepted;
    bool block = false;
    if (access_refused(m_db, m_session.XID_MODULO, supervisor, account_blocked, shown)) {
        outcome = LoginOutcome::Refused;
    } else if (v.failure == Failure::None && !data_set_available(*v.user, shown)) {
        outcome = LoginOutcome::Refused;
    } else if (v.failure != Failure::None) {
        outcome = count_failure(v.business, shown);
        block = outcome == LoginOutcome::Abandoned && v.failure == Failure::WrongPassword &&
                !supervisor;
    }

    // The writes of this attempt, all or none: legacy passwords of the business re-stored as
    // hashes once a password matched, the account blocked, the session's log record.
    std::vector<users::PendingHash> hashes;
    if (v.failure == Failure::None) hashes = users::legacy_passwords(m_db, v.business);
    const bool log_session = outcome == LoginOutcome::Accepted && purpose == Purpose::Login;
    std::optional<long> log_record;
    if (!hashes.empty() || block || log_session) {
        data::Transaction tx(m_db);
        users::store_hashes(m_db, hashes);
        if (block) users::block_account(m_db, v.user->recno);
        if (log_session) log_record = write_session_log(v.business, *v.user);
        tx.commit();
    }
    for (const auto& m : shown) m_port.message(m.style, m.title, m.text);
    if (outcome == LoginOutcome::Accepted && purpose != Purpose::Unlock)
        open_session(v, log_record);
    return outcome;
}

LoginOutcome LoginService::count_failure(const std::string& business, std::vector<Message>& shown) {
    shown.push_back({MsgStyle::Atencion, kSeriesTitle, "Acceso Denegado"});
    // INTENTOS 0 means the login never gives up.
    const long attempts = users::business_rules(m_db, business).INTENTOS;
    if (attempts <= 0 || ++m_failures < attempts) return LoginOutcome::TryAgain;
    shown.push_back(
        {MsgStyle::Error, "ERROR", "Se ha excedido el número máximo de Intentos permitidos"});
    return LoginOutcome::Abandoned;
}

// A user bound to a data set that is not there would otherwise work on the main data believing
// it is the other set (a test set, say): refused, and the administrator is named as the remedy.
bool LoginService::data_set_available(const users::UserRecord& u, std::vector<Message>& shown) {
    const std::string dir = data_set_of(m_db, u.SUBBASE).directory;
    if (m_db.data_set_exists(dir)) return true;
    shown.push_back({MsgStyle::Error, "ERROR",
                     "El conjunto de datos " + dir +
                         " asignado al usuario no existe. Avise al administrador del sistema."});
    return false;
}

void LoginService::open_session(const Verdict& v, std::optional<long> log_record) {
    take_over(v);
    if (log_record) m_session.XREC_E_S = log_record;
    m_session.rights = LOAD_DERECHOS(m_db, m_session.XU_COMP, m_session.USER_NAME);
    m_settings.XMANEJO_TC = users::business_rules(m_db, m_session.XU_COMP).MANEJO_TC;
    // The alternate data set is switched to once the login's own writes are done, so they all
    // land where the user record was found.
    m_db.set_alternate(m_session.XDBACCESS.directory);
}

void LoginService::take_over(const Verdict& v) {
    const users::UserRecord& u = *v.user;
    Session& s = m_session;
    s.logged_in = true;
    s.XU_COMP = v.business;
    s.XSUPERACCESS = u.SUPERVISOR;
    s.XUSER_NUMBER = u.CODIGO;
    s.USER_NAME = u.NOMBRE;
    s.user_identifier = u.USUARIO;
    s.XUSER_ABREVIA = u.has_abrevia ? u.ABREVIA : kNoShortCode;
    s.XFECHA_CLAVE = u.F_CLAVE;
    s.XNO_SALIR = u.NO_SALIR;
    s.XDO_CHAT = u.NO_CHAT;
    s.XDBACCESS = data_set_of(m_db, u.SUBBASE);
    m_settings.XBUTTON_STYLE = button_style(u.BUTTONSTYL);
    m_settings.XIDIOMA = u.IDIOMA + 1;
    if (!u.USERNAME.empty()) m_settings.XEMAILNAME = u.USERNAME;
    if (!u.USERADDR.empty()) m_settings.XEMAILADDR = u.USERADDR;
    m_db.XUSER_ABREVIA = s.XUSER_ABREVIA;
}

long LoginService::write_session_log(const std::string& business, const users::UserRecord& u) {
    namespace fs = std::filesystem;
    // QUARTZEN.ALV tells the suite's tools that a session was started from this installation.
    const fs::path alive = fs::path(m_db.home()) / "QUARTZEN.ALV";
    std::error_code ec;
    if (!fs::exists(alive, ec)) std::ofstream(alive).flush();
    const SessionStamp who{business, u.has_abrevia ? u.ABREVIA : kNoShortCode,
                           m_session.EXT_MODULO};
    return log_session_entry(m_db, who, u.USUARIO);
}

void LoginService::remember_business(const std::string& business) {
    try {
        m_ini.set("LAST_NEG", "LAST_NEG", business);
    } catch (const std::exception&) {
        // Only the preselection of the next login depends on it; the login itself goes on.
    }
}

bool confirm_leave_locked(UserPort& port) {
    return port.confirm("Advertencia", "Realmente desea salir de QUARTZEN?");
}

}  // namespace qz::domain
