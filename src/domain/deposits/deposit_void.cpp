#include "domain/deposits/deposit_void.h"

namespace qz::domain {

bool ANUL_DEP(data::Db&, UserPort& port, Session&, pos::CardTerminal&, const std::string&) {
    port.message(MsgStyle::Error, "Error", "Anular depósitos aún no está disponible");
    return false;
}

}  // namespace qz::domain
