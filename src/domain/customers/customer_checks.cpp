// The checks of the customer editor, in the order the editor runs them.
#include "core/text.h"
#include "data/order_key.h"
#include "domain/customers/customer_save.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

Refusal at_branch(const char* text, int index) { return {text, Focus::BranchCode, index}; }

std::optional<Refusal> check_branch_choices(const Branch& b, int index) {
    if (normal_code(b.limit_currency).empty())
        return at_branch("Debe seleccionar el tipo de moneda", index);
    if (normal_code(b.price_type).empty())
        return at_branch("Debe seleccionar el tipo de precio", index);
    if (!b.agent) return at_branch("Debe seleccionar algún agente", index);
    if (normal_code(b.doc_concept).empty())
        return at_branch("Debe seleccionar algún concepto", index);
    return std::nullopt;
}

std::optional<Refusal> check_code(data::Db& db, const std::string& business,
                                  const CustomerForm& form) {
    const std::string code = normal_code(form.customer.code);
    if (code.empty()) return Refusal{"Falta el código del cliente", Focus::Code};
    if (auto p = code_width_problem("El código de cliente", code, "CLIENTES", "CODIGO"); !p.empty())
        return Refusal{p, Focus::Code};
    const bool taken = key_exists(db, "CLIENTES", "CLIENTES", {business, code});
    if (form.is_new && taken) return Refusal{"Código de CLIENTES ya definido...", Focus::Code};
    if (!form.is_new && taken && code != normal_code(form.original_code))
        return Refusal{"Código de cliente ya definido...", Focus::Code};
    return std::nullopt;
}

// Every live branch, the one on screen first (the others were checked when the user left them,
// but a form filled by a program never was).
std::optional<Refusal> check_branches(const CustomerForm& form) {
    const int n = static_cast<int>(form.branches.size());
    if (form.current_branch >= 0 && form.current_branch < n &&
        !form.branches[form.current_branch].deleted)
        if (auto r = check_branch(form.branches, form.current_branch)) return r;
    for (int i = 0; i < n; ++i)
        if (!form.branches[i].deleted)
            if (auto r = check_branch(form.branches, i)) return r;
    return std::nullopt;
}

std::optional<Refusal> check_principal(const CustomerForm& form) {
    int live = 0, principals = 0;
    for (const auto& r : form.branches) {
        if (r.deleted) continue;
        ++live;
        if (r.branch.principal) ++principals;
    }
    if (live == 0) return Refusal{"Debe tener asociado una sucursal...", Focus::Branches};
    if (principals == 0) return Refusal{kNoPrincipal, Focus::Branches};
    if (principals > 1)
        return Refusal{form.is_new ? "Existe más de una sucursal principal"
                                   : "Existe mas de una sucursal principal",
                       Focus::Branches};
    return std::nullopt;
}

}  // namespace

std::optional<Refusal> check_branch(const std::vector<BranchRow>& rows, int index) {
    const Branch& b = rows[index].branch;
    const std::string code = normal_code(b.code);
    if (code.empty()) return at_branch("Falta el código de la sucursal", index);
    if (trim(b.name).empty()) return at_branch("Falta el nombre de la sucursal", index);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        if (i == index || rows[i].deleted) continue;
        if (normal_code(rows[i].branch.code) == code)
            return at_branch("Código de Sucursal ya definido... ", index);
    }
    for (int i = 0; i < static_cast<int>(rows.size()); ++i)
        if (b.principal && i != index && !rows[i].deleted && rows[i].branch.principal)
            return at_branch("Ya existe una sucursal principal", index);
    return check_branch_choices(b, index);
}

std::optional<Refusal> check_customer(data::Db& db, const std::string& business,
                                      const CustomerForm& form) {
    if (!form.customer.active && form.customer.reason == kNoReason)
        return Refusal{kReasonBlank, Focus::Reason};
    if (auto r = check_code(db, business, form)) return r;
    const std::optional<Refusal> no_class =
        normal_code(form.customer.clas1).empty()
            ? std::optional<Refusal>(
                  Refusal{"Falta definir la clasificación", Focus::Classification})
            : std::nullopt;
    // The classification is checked before the branches when modifying, after them when new.
    if (!form.is_new && no_class) return no_class;
    if (auto r = check_branches(form)) return r;
    if (form.is_new && no_class) return no_class;
    return check_principal(form);
}

CustomerForm new_customer_form(const Date& today, const std::string& default_branch) {
    CustomerForm f;
    f.is_new = true;
    f.customer.admitted = today;
    BranchRow first;
    first.branch.code = default_branch;
    first.branch.principal = true;
    f.branches.push_back(first);
    f.current_branch = 0;
    return f;
}

std::optional<CustomerForm> customer_form(data::Db& db, const std::string& business,
                                          const std::string& code) {
    auto c = read_customer(db, business, code);
    if (!c) return std::nullopt;
    CustomerForm f;
    f.is_new = false;
    f.customer = *c;
    f.original_code = c->code;
    f.original_name = c->name;
    f.was_active = c->active;
    for (auto& s : customer_branches(db, business, c->code))
        f.branches.push_back({s.branch, s.recno, s.branch.code, false});
    f.current_branch = f.branches.empty() ? -1 : 0;
    return f;
}

}  // namespace qz::domain::customers
