#include "domain/customers/customer_save.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/branch_writes.h"
#include "domain/customers/customer_recode.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

const Date kHistoryLimit(2090, 1, 1);

bool name_changed(const CustomerForm& form) {
    return utf8_substr(trim(form.customer.name), 0, 60) !=
           utf8_substr(trim(form.original_name), 0, 60);
}

// The header as it is written: a change of state dates itself with today unless a date was
// typed; activation forgets the withdrawal and its reason.
Customer header_to_write(const CustomerForm& form, const Date& today) {
    Customer c = form.customer;
    c.code = normal_code(c.code);
    if (c.active) {
        c.reason = kNoReason;
        c.withdrawn = Date();
        if (!form.was_active && c.admitted.empty()) c.admitted = today;
    } else if (c.withdrawn.empty()) {
        c.withdrawn = today;
    }
    return c;
}

// One EST_CLIE row per customer and date: the day's row is rewritten by a second change.
void write_status_history(data::Db& db, const std::string& business, const Customer& c,
                          bool was_active, const std::string& user) {
    const Date date = c.active ? c.admitted : c.withdrawn;
    data::Table t = data::USE(db, "EST_CLIE", "EST_CLIE");
    if (!lock_at_key(*t, data::order_key("EST_CLIE", "EST_CLIE", {business, c.code, date}))) {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        t->FieldPut("CODIGO", c.code);
        t->FieldPut("LIMITE", kHistoryLimit);
        t->FieldPut("ESTADO_INI", Decimal(was_active ? 1 : 0));
    }
    t->FieldPut("ESTADO_FIN", Decimal(c.active ? 1 : 0));
    t->FieldPut("FECHA", date);
    if (!c.active) t->FieldPut("TIPO_ANU", Decimal(c.reason));
    t->FieldPut("USUARIO", user);
    t->FieldPut("INFO_USER", info_user(db.clock().now()));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
}

// Writes the header: the existing record under its lock, or a new one. The refusal when the
// record is gone or its new code was taken meanwhile by another workstation.
std::optional<std::string> write_header(data::Db& db, const std::string& business,
                                        const CustomerForm& form, const Customer& c) {
    data::Table t = data::USE(db, "CLIENTES", "CLIENTES");
    std::optional<std::string> problem;
    const std::string old_code = normal_code(form.original_code);
    if (c.code != old_code && key_exists(db, "CLIENTES", "CLIENTES", {business, c.code})) {
        problem =
            form.is_new ? "Código de CLIENTES ya definido..." : "Código de cliente ya definido...";
    } else if (form.is_new) {
        data::ADD_NEW_REC(*t);
        put_customer_row(*t, business, c);
        data::UNLOCK_NEW_REC(*t);
    } else if (lock_at_key(*t, data::order_key("CLIENTES", "CLIENTES", {business, old_code}))) {
        put_customer_row(*t, business, c);
        data::UNLOCK_FOR_MODIFY(*t);
    } else {
        problem = "El cliente " + old_code + " ya no existe...";
    }
    data::KILLTABLA(db, t);
    return problem;
}

}  // namespace

SaveOutcome save_customer(data::Db& db, UserPort& port, const std::string& business,
                          const CustomerForm& form, const SaveContext& ctx) {
    SaveOutcome out;
    if (auto r = check_customer(db, business, form)) {
        refuse(port, r->text);
        out.refusal = r;
        return out;
    }
    // Every question is asked before the transaction: no row stays locked while the user thinks.
    const std::string old_code = normal_code(form.original_code);
    BranchPlan plan = plan_branches(db, port, business, old_code, form);
    if (plan.refusal) {
        refuse(port, plan.refusal->text);
        out.refusal = plan.refusal;
        return out;
    }
    const bool rename =
        !form.is_new && name_changed(form) && port.confirm("Advertencia", kRenameAsk);
    const Customer c = header_to_write(form, db.clock().now().date);
    auto wait = port.wait(kWaitText);
    try {
        data::Transaction tx(db);
        if (auto problem = write_header(db, business, form, c)) {
            tx.commit();  // nothing was written
            refuse(port, *problem);
            out.refusal = Refusal{*problem, Focus::Code};
            return out;
        }
        if (!form.is_new && c.code != old_code)
            recode_customer(db, business, old_code, c.code, wait.get());
        write_branches(db, business, c.code, form, plan, wait.get());
        if (c.active != form.was_active) {
            write_status_history(db, business, c, form.was_active, ctx.user);
            if (ctx.on_status_change)
                ctx.on_status_change(db, StatusChange{c.code, c.name, form.was_active, c.active,
                                                      c.active ? c.admitted : c.withdrawn});
        }
        if (rename) rename_in_history(db, business, c.code, trim(c.name), wait.get());
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return out;
    }
    out.saved = true;
    return out;
}

}  // namespace qz::domain::customers
