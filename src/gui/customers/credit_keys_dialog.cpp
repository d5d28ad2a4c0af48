// "Claves de Autorización de Crédito": the business's keys for overdue balances (PASSWRD2) and
// for excess over the limit (PASSWRD3). Each is typed twice; a key left blank keeps the stored
// one, so a supervisor can change one key without knowing the other.
#include "domain/customers/credit_figures.h"
#include "gui/customers/credit_screens.h"
#include "gui/framework/message_box.h"
#include "gui/lists/master_form.h"

namespace qz::gui {

namespace dc = qz::domain::customers;

bool run_credit_keys(QWidget* owner, data::Db& db, const std::string& business) {
    using K = FormField::Kind;
    std::vector<FormField> fields = {
        {kKeyOverdue, "Clave de Vencimiento:", K::Text, "", 10},
        {kKeyOverdueAgain, "Confirmar Clave de Vencimiento:", K::Text, "", 10},
        {kKeyExcess, "Clave de Exceso de Límite:", K::Text, "", 10},
        {kKeyExcessAgain, "Confirmar Clave de Exceso:", K::Text, "", 10},
    };
    for (auto& f : fields) f.secret = true;
    std::function<bool(const FormValues&)> save = [&](const FormValues& v) {
        const dc::NewCreditKeys k{v.at(kKeyOverdue), v.at(kKeyOverdueAgain), v.at(kKeyExcess),
                                  v.at(kKeyExcessAgain)};
        if (auto refusal = dc::check_new_credit_keys(k)) {
            MESSAGE_BOX(owner, *refusal, "Atencion", kMbOk | kMbIconExclamation);
            return false;
        }
        dc::set_credit_keys(db, business, k.overdue, k.excess);
        MESSAGE_BOX(owner, "Claves actualizadas", "Aviso", kMbOk | kMbIconInformation);
        return true;
    };
    return run_master_form(owner, "CLAVES_CREDITO", "Claves de Autorización de Crédito",
                           std::move(fields), save);
}

}  // namespace qz::gui
