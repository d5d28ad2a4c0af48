// The registers a newcomer tries besides the spa's: a front-desk register and the sales point's
// waiters, who work in shifts. Every pass code is stored hashed.
#include "domain/demo/demo_rows.h"
#include "domain/session/pass_code.h"

namespace qz::domain::demo {

namespace {

struct Waiter {
    const char* code;
    const char* name;
    const char* password;
};
constexpr Waiter kWaiters[] = {
    {"M001", "Carlos Mora Vargas", "3333"},
    {"M002", "Sofía Rojas Solano", "4444"},
};

const char* const kFrontDesk = "REC1";
const char* const kFrontDeskPassword = "REC1";

}  // namespace

void load_registers(data::Db& db, Summary& out) {
    RowWriter desk(db, "ENC_HCAJ");
    desk.add({{"CODIGO", kFrontDesk},
              {"DESCRIP", "Caja Recepción"},
              {"PASSWORD", hash_pass_code(kFrontDeskPassword)},
              {"ESTADO", "C"},
              {"TIP_CIERRE", 0},
              {"ARQUEO_AD", 1}});

    RowWriter sales_point(db, "F_VENTAS");
    sales_point.add({{"TURNO_MESE", 1}});
    RowWriter waiters(db, "DEF_MESE");
    std::string who;
    for (const auto& w : kWaiters) {
        waiters.add({{"CODIGO", w.code},
                     {"NOMBRE", w.name},
                     {"CLAVE", hash_pass_code(w.password)},
                     {"ACTIVO", "0"}});
        who += std::string(who.empty() ? "" : ", ") + w.code + " " + w.name + " (clave " +
               w.password + ")";
    }
    out.push_back(std::string("Caja de recepción: ") + kFrontDesk + " Caja Recepción (clave " +
                  kFrontDeskPassword + "), con los operadores de la caja del spa");
    out.push_back("Meseros por turnos: " + who);
}

}  // namespace qz::domain::demo
