#include "services/terminals/card_closings.h"

#include <array>
#include <cstring>

#include "domain/pos/card_terminal.h"
#include "services/terminals/card_abi.h"
#include "services/terminals/card_library.h"
#include "services/terminals/sockpos_reply.h"
#include "services/terminals/terminal_rows.h"

namespace qz::services::terminals {

namespace {

constexpr int kSettlementKind = 100, kVendorOption = 99;
constexpr const char* kNotFound = "Terminal no encontrada en Base de Datos de Terminales";
constexpr const char* kUnreadableClosing =
    "Respuesta no reconocida de la red de tarjetas: verifique el cierre en la terminal";

}  // namespace

CardClosings::CardClosings(data::Db& db, UserPort& port, CardLibraries libraries)
    : m_db(db), m_port(port), m_libraries(std::move(libraries)) {}

std::optional<int> CardClosings::CIE_POSWARE(const TerminalRow& terminal) {
    const auto row = find_terminal_again(m_db, terminal);
    if (!row || row->bank != kPosWareBank) {
        m_port.message(MsgStyle::Error, "Error", kNotFound);
        return std::nullopt;
    }
    auto lib = CardLibrary::load(m_libraries.provider1, {"ProcessSettlement"});
    if (!lib) {
        m_port.message(MsgStyle::Error, "Error", domain::pos::missing_library_message(1));
        return std::nullopt;
    }
    return lib->get<decltype(ProcessSettlement)>("ProcessSettlement")(
        row->param1.c_str(), row->param2.c_str(), row->param3.c_str(), kSettlementKind,
        kVendorOption);
}

std::optional<std::vector<ClosingLine>> CardClosings::credomatic(const TerminalRow& terminal,
                                                                 bool settlement) {
    const char* call = settlement ? "dllsettlement" : "dllreport";
    auto lib = CardLibrary::load(m_libraries.provider2, {call});
    if (!lib) {
        m_port.message(MsgStyle::Error, "Error", domain::pos::missing_library_message(2));
        return std::nullopt;
    }
    std::array<char, 1024> buf{};
    const int rc =
        lib->get<decltype(dllsettlement)>(call)(terminal.param1.c_str(), buf.data(), buf.size());
    lib.reset();
    const std::string text =
        rc == 0 ? std::string(buf.data(), strnlen(buf.data(), buf.size())) : "";
    auto lines = closing_lines(text);
    if (!lines) m_port.message(MsgStyle::Error, "Error", kUnreadableClosing);
    return lines;
}

}  // namespace qz::services::terminals
