#include "domain/pos/card_terminal.h"

namespace qz::domain::pos {

std::string missing_library_message(int provider) {
    return provider == 2 ? "Library SOCKPOS.DLL not loaded..." : "Library not found!!!!!";
}

CardAnswer UnconfiguredCardTerminal::PAGO_ELECTRONICO(const CardRequest& request) {
    if (request.provider == 1 || request.provider == 2)
        m_port.message(MsgStyle::Error, "Error", missing_library_message(request.provider));
    return {};
}

}  // namespace qz::domain::pos
