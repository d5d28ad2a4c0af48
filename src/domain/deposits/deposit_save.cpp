#include "domain/deposits/deposit_save.h"

#include "domain/deposits/deposit_checks.h"

namespace qz::domain {

DepositSaveResult PROCESAR(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                           pos::CardTerminal&, const DepositDraft& d) {
    DepositSaveResult r;
    if (!check_deposit(db, port, ini, s, d).ok) return r;
    port.message(MsgStyle::Error, "Error", "Guardar depósitos aún no está disponible");
    return r;
}

}  // namespace qz::domain
