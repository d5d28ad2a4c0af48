// V_PADRON: the national ID registry (PADRON, shared by every business) to fill a document's
// customer ID and name from.
#include "core/text.h"
#include "gui/customers/customer_log_screens.h"
#include "gui/lists/row_chooser.h"

namespace qz::gui {

std::optional<PadronChoice> V_PADRON(QWidget* owner, data::Db& db) {
    const RowChooserSpec spec{"V_PADRON",
                              "Padrón Nacional",
                              "PADRON",
                              "",
                              {{"Cédulta", "CEDULA"}, {"Nombre", "NOMBRE_C"}},
                              {{"CEDULA", "PADRON"}, {"NOMBRE_C", "PADRON2"}}};
    std::optional<PadronChoice> out;
    choose_row(owner, db, spec, [&out](const data::WDBTable& t) {
        out = PadronChoice{trim(t.str("CEDULA")), trim(t.str("NOMBRE")) + " " +
                                                      trim(t.str("APELLIDO1")) + " " +
                                                      trim(t.str("APELLIDO2"))};
    });
    return out;
}

}  // namespace qz::gui
