#include "data/catalogue.h"

namespace qz::data {

void declare_session_tables(Catalogue& cat) {
    TableDef t("NEGOCIOS");
    t.C("CODIGO", 15).C("DESCRIP", 60).C("MONEDA_CON", 2).C("MONEDA_D", 2).N("DOBLE_MON", 1);
    t.order("NEGOCIOS", {kf("CODIGO")}, true);
    cat.add(std::move(t));
}

}  // namespace qz::data
