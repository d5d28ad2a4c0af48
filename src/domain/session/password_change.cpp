#include <algorithm>

#include "core/text.h"
#include "data/transaction.h"
#include "domain/session/login.h"
#include "domain/session/password.h"
#include "domain/session/user_store.h"

namespace qz::domain {

namespace {

// However the settings are filled in, a password of one or two characters is no password.
constexpr long kShortestPassword = 3;

void tell(UserPort& port, const std::string& text) { port.message(MsgStyle::Error, "Error", text); }

}  // namespace

std::optional<long> password_age_limit(long business_days, long user_days) {
    if (business_days > 0 && user_days > 0) return std::min(business_days, user_days);
    if (business_days > 0) return business_days;
    if (user_days > 0) return user_days;
    return std::nullopt;
}

bool password_change_due(data::Db& db, const Session& session) {
    if (!session.XUSER_NUMBER || session.XFECHA_CLAVE.empty()) return false;
    const users::BusinessRules rules = users::business_rules(db, session.XU_COMP);
    auto user = users::find_by_number(db, session.XU_COMP, *session.XUSER_NUMBER);
    if (!rules.DIAS_CLAVE || !user || !user->DIAS_CLAVE) return false;
    auto limit = password_age_limit(*rules.DIAS_CLAVE, *user->DIAS_CLAVE);
    return limit && db.clock().XDATE() - session.XFECHA_CLAVE > *limit;
}

ChangeOutcome change_password(data::Db& db, UserPort& port, Session& session,
                              const PasswordChangeForm& form, ChangeOrigin origin, int& failures) {
    std::optional<users::UserRecord> user;
    if (session.XUSER_NUMBER)
        user = users::find_by_number(db, session.XU_COMP, *session.XUSER_NUMBER);
    if (!user) {
        tell(port, "Usuario Inexistente");
        return ChangeOutcome::TryAgain;
    }
    const users::BusinessRules rules = users::business_rules(db, session.XU_COMP);
    const long shortest = std::max({rules.SIZE_CLAVE, user->SIZE_CLAVE, kShortestPassword});
    if (static_cast<long>(utf8_length(trim(form.fresh))) < shortest) {
        tell(port, "La Clave Nueva debe tener al menos " + std::to_string(shortest) + " dígitos");
        return ChangeOutcome::TryAgain;
    }
    if (!user->password_matches(form.current)) {
        tell(port, "La Clave de Acceso Actual no coincide con la verificación");
        // Unlike the login, 0 attempts here means none at all: the first miss blocks.
        if (++failures < rules.INTENTOS) return ChangeOutcome::TryAgain;
        port.message(MsgStyle::Error, "ERROR",
                     "Se ha excedido el número máximo de Intentos permitidos");
        if (!user->supervisor()) {
            data::Transaction tx(db);
            users::block_account(db, user->recno);
            tx.commit();
        }
        if (origin == ChangeOrigin::Voluntary)
            port.message(MsgStyle::Error, "ERROR", "APLICACION BLOQUEADA!");
        return ChangeOutcome::Exhausted;
    }
    const std::string fresh = normalise_password(form.fresh);
    if (fresh != normalise_password(form.repeat)) {
        tell(port, "La Clave de Acceso Nueva no coincide con la verificación");
        return ChangeOutcome::TryAgain;
    }
    if (fresh == normalise_password(form.current)) {
        tell(port, "La Clave de Acceso Nueva no puede ser igual a la actual");
        return ChangeOutcome::TryAgain;
    }

    const std::string hash = hash_password(fresh);
    data::Transaction tx(db);
    users::store_new_password(db, user->recno, hash);
    users::LOG_PASSWORD(db, *user, static_cast<int>(origin));
    tx.commit();
    session.XFECHA_CLAVE = db.clock().XDATE();
    port.message(MsgStyle::Aviso, "Informe", "La Clave fue actualizada con Éxito");
    return ChangeOutcome::Changed;
}

bool may_change_password(data::Db& db, UserPort& port, const Session& session) {
    auto user = users::find_by_name(db, session.XU_COMP, session.USER_NAME);
    if (!user) {
        tell(port, "Usuario desconocido...");
        return false;
    }
    if (user->PERMISO1 != 1 && !user->supervisor()) {
        tell(port, "No es permitido el Cambio de Clave...");
        return false;
    }
    return true;
}

}  // namespace qz::domain
