#include "core/text.h"
#include "data/order_key.h"
#include "domain/pos/card_log.h"
#include "services/terminals/card_service.h"

namespace qz::services::terminals {

namespace {

constexpr const char* kRealPosWare = "libCallPosWareClient.so";
constexpr const char* kRealSockPos = "libSockPos.so";
constexpr const char* kSimPosWare = "libCallPosWareClient-sim.so";
constexpr const char* kSimSockPos = "libSockPos-sim.so";

}  // namespace

CardLibraries card_libraries(const IniFile& ini, const std::filesystem::path& simulator_dir) {
    const bool training = iequals(ini.get("PAGO_ELECTRONICO", "MODO"), "ENTRENAMIENTO");
    CardLibraries libs;
    libs.provider1 = training ? (simulator_dir / kSimPosWare).string() : kRealPosWare;
    libs.provider2 = training ? (simulator_dir / kSimSockPos).string() : kRealSockPos;
    // An empty key is no choice: dlopen would take "" for the program itself.
    if (auto v = trim(ini.get("PAGO_ELECTRONICO", "LIB1")); !v.empty()) libs.provider1 = v;
    if (auto v = trim(ini.get("PAGO_ELECTRONICO", "LIB2")); !v.empty()) libs.provider2 = v;
    return libs;
}

std::string station_code(const IniFile& ini, const std::string& business) {
    return pad_right(ini.get("ESTACION_CREDIT", trim(business)),
                     data::field_width("P_ELECT", "CODIGO"));
}

std::string mask_card(const std::string& card) { return domain::pos::masked_card(card); }

}  // namespace qz::services::terminals
