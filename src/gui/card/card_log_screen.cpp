// The log of the purchases and voids sent to the card terminals (LOG_P_EL), approved or not,
// for the business, the newest selected.
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "gui/browse/add2browse.h"
#include "gui/card/card_screens.h"
#include "gui/logs/log_screen.h"
#include "services/terminals/card_service.h"

namespace qz::gui {

namespace {

constexpr int kContextId = 6198;

std::string operation_text(long op) {
    if (op == 1) return "Compra";
    if (op == 2) return "Anulación";
    return std::to_string(op);
}

std::string network_text(long provider) {
    if (provider == 1) return "Banco Nacional";
    if (provider == 2) return "Credomatic";
    return std::to_string(provider);
}

class CardLogScreen : public LogScreen {
public:
    CardLogScreen(QWidget* owner, data::Db& db, std::string business)
        : LogScreen(owner, "LOG_P_EL", kContextId, "Log de Transacciones con Tarjeta", db),
          m_business(std::move(business)) {}

protected:
    data::Table open_table() override { return data::USE(m_db, "LOG_P_EL", "LOG_P_EL"); }
    void add_columns(WBLISTBOX& g, data::WDBTable& t) override {
        AGREGARCOL(g, t, "Fecha", "FECHA");
        AGREGARCOL(g, t, "Hora", "", "XXXXXXXXXX", [&t] { return CellValue(t.str("HORA")); });
        AGREGARCOL(g, t, "Red", "", std::string(16, 'X'),
                   [&t] { return CellValue(network_text(t.num("PE_TIPO").to_int())); });
        AGREGARCOL(g, t, "Operación", "", "XXXXXXXXX",
                   [&t] { return CellValue(operation_text(t.num("TIPO_OP").to_int())); });
        // The writers store the card masked; the grid masks again, so a row that came in from
        // elsewhere never shows more than the last four digits.
        AGREGARCOL(g, t, "Tarjeta", "", std::string(20, 'X'), [&t] {
            return CellValue(services::terminals::mask_card(trim(t.str("PE_TARJ"))));
        });
        AGREGARCOL(g, t, "Referencia", "PE_REFNO");
        AGREGARCOL(g, t, "Autorización", "PE_AUTID");
        AGREGARCOL(g, t, "Trace", "PE_TRACE_N");
        AGREGARCOL(g, t, "Descripción", "", std::string(50, 'X'),
                   [&t] { return CellValue(one_line(t.str("DESCRIP"))); });
        AGREGARCOL(g, t, "Info Usuario", "INFO_USER");
    }
    BrowMarksOptions grid_options() override {
        BrowMarksOptions o;
        o.scope_start = data::business_key(m_business);
        return o;
    }
    std::string detail(data::WDBTable& t) override {
        return trim(t.str("DESCRIP")) + "\n" + trim(t.str("INFO_USER"));
    }

private:
    std::string m_business;
};

}  // namespace

WDIAG* open_card_log(QWidget* owner, data::Db& db, const std::string& business) {
    return open_screen<CardLogScreen>(owner, db, business);
}

}  // namespace qz::gui
