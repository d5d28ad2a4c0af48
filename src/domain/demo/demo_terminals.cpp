// The spa's card terminals: network 2 in colones and dollars and network 1 in colones, all of
// the station the demonstration's workstations are assigned to.
#include "domain/demo/demo_data.h"
#include "domain/demo/demo_rows.h"
#include "domain/demo/demo_workstation.h"

namespace qz::domain::demo {

void load_card_terminals(data::Db& db, Summary& out) {
    RowWriter t(db, "P_ELECT");
    t.add({{"CODIGO", kDemoCardStation},
           {"BANCO", "01"},
           {"MONEDA", kColones.c_str()},
           {"DESCRIP", "Banco Nacional Colones"},
           {"PARAM1", "QUARTZEN SPA"},
           {"PARAM2", "0012345678"},
           {"PARAM3", "BN000101"}});
    t.add({{"CODIGO", kDemoCardStation},
           {"BANCO", "02"},
           {"MONEDA", kColones.c_str()},
           {"DESCRIP", "Credomatic Colones"},
           {"PARAM1", "CRD00101"}});
    t.add({{"CODIGO", kDemoCardStation},
           {"BANCO", "02"},
           {"MONEDA", kDollars.c_str()},
           {"DESCRIP", "Credomatic Dólares"},
           {"PARAM1", "CRD00102"}});
    // The printer profile of the card vouchers (its printer is a workstation setting).
    RowWriter profiles(db, "PREDET_P");
    profiles.add({{"CODIGO", kDemoVoucherProfile}, {"DESCRIP", "Comprobantes de tarjeta"}});
    out.push_back(std::string("Terminales de tarjeta de la estación ") + kDemoCardStation +
                  ": Banco Nacional en colones, Credomatic en colones y dólares");
}

}  // namespace qz::domain::demo
