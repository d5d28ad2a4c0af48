// The customer list's operations on what hangs off the chosen customer.
#include "domain/customers/tour_commissions.h"
#include "gui/customers/customer_list.h"
#include "gui/customers/satellite_screens.h"
#include "gui/framework/message_box.h"
#include "gui/framework/qt_user_port.h"
#include "gui/shell/principal.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

// `fn` on the chosen customer of the active customer list; nothing chosen is said.
void on_customer(Principal& w, const char* name,
                 std::function<void(CustomerListScreen&, const std::string&)> fn) {
    w.register_operation(name, [fn](QWidget* screen) {
        auto* list = as_customer_list(screen);
        if (!list) return;
        const std::string code = list->current_code();
        if (code.empty()) {
            MESSAGE_BOX(list, "Debe seleccionar un registro", "Atencion",
                        kMbOk | kMbIconExclamation);
            return;
        }
        fn(*list, code);
    });
}

void register_satellite_operations(Principal& w) {
    on_customer(w, "VER_REFERIDOS", [](CustomerListScreen& l, const std::string& code) {
        open_referrals(&l, l.db(), l.business(), code);
    });
    on_customer(w, "VER_ASOCIADOS", [](CustomerListScreen& l, const std::string& code) {
        open_associates(&l, l.db(), l.business(), code);
    });
    on_customer(w, "ED_COMISION", [](CustomerListScreen& l, const std::string& code) {
        edit_tour_commissions(&l, l.db(), l.business(), code);
    });
    on_customer(w, "QUITAR_COMIS", [](CustomerListScreen& l, const std::string& code) {
        QtUserPort port(&l);
        dc::remove_tour_commissions(l.db(), port, l.business(), code);
    });
    on_customer(w, "VER_TOURS", [](CustomerListScreen& l, const std::string& code) {
        show_tours(&l, l.db(), l.business(), code);
    });
}

}  // namespace qz::gui
