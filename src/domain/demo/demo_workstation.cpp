#include "domain/demo/demo_workstation.h"

#include "domain/cash/register_settings.h"
#include "domain/demo/demo_data.h"

namespace qz::domain {

namespace {

struct Key {
    const char* section;
    std::string key, value;
};

}  // namespace

std::vector<std::string> install_demo_workstation_settings(IniFile& ini) {
    const std::string biz = "HOTEL";
    const std::vector<Key> keys = {
        {"ESTACION_CREDIT", biz, kDemoCardStation},
        {"ESTACION_CREDIT_ID", biz, "SIM-00101"},
        {"ESTACION_CREDIT_H1", biz, "HOTEL QUARTZEN - SPA"},
        {"ESTACION_CREDIT_H2", biz, "Terminal de entrenamiento"},
        {"PAGO_ELECTRONICO", "MODO", "ENTRENAMIENTO"},
        {"PREDET_P_CREDOMATIC", biz, kDemoVoucherProfile},
        // The profile's printer: the PDF file printer, so a workstation without printers still
        // gets its vouchers (in the installation's TEMP folder).
        {"PREDET_P", biz + kDemoVoucherProfile, "Archivo PDF"},
        // Deposits are taken at the spa's register on this workstation.
        {"AUT_HCAJA", cash::authorisation_key(biz, "SPA1"), "1"},
    };
    std::vector<std::string> written;
    for (const Key& k : keys) {
        if (!ini.get(k.section, k.key).empty()) continue;
        ini.set(k.section, k.key, k.value);
        written.push_back(std::string("[") + k.section + "] " + k.key + "=" + k.value);
    }
    return written;
}

}  // namespace qz::domain
