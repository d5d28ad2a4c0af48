#include "domain/customers/customer_ops.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_recode.h"
#include "domain/customers/customer_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

bool delete_customer(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    const std::string c = normal_code(code);
    if (customer_has_open_documents(db, business, c)) return refuse(port, kOpenDocumentsRefusal);
    if (!port.confirm("Advertencia", kDeleteAsk)) return false;
    const bool with_docs = customer_has_documents(db, business, c);
    if (with_docs && !port.confirm("Advertencia", kDeleteWithDocsAsk)) return false;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "CLIENTES", "CLIENTES");
        const bool found = lock_at_key(*t, data::order_key("CLIENTES", "CLIENTES", {business, c}));
        // Re-checked under the lock: a sale on account may have been saved since the question.
        if (found && customer_has_open_documents(db, business, c)) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, kOpenDocumentsRefusal);
        }
        if (found) {
            t->Delete();
            data::UNLOCK_FOR_MODIFY(*t);
            // Every row that belongs to the customer alone goes with it: left behind, a later
            // customer given the same code would inherit its referrals, associates and
            // commissions. The history (status changes, log notes) stays.
            for (const char* table : {"DET_CLIE", "DET_CLI2", "DET_CLI3", "DET_CLI4"})
                delete_by_order(db, table, table, {business, c});
            delete_by_order(db, "DET_ART6", "DET_ART6", {business, c});
        }
        data::KILLTABLA(db, t);
        tx.commit();
        return found;
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
}

bool update_history_names(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code) {
    const auto customer = read_customer(db, business, code);
    if (!customer || !port.confirm("Advertencia", kNamesAsk)) return false;
    try {
        auto wait = port.wait("Un momento por favor...");
        data::Transaction tx(db);
        for (const auto& s : customer_branches(db, business, customer->code))
            rewrite_by_order(db, "DOCUMENT", "DOCUMEN15", {business, customer->code, s.branch.code},
                             "NOM_CLIENT", s.branch.name, wait.get());
        rewrite_by_order(db, "ENC_MOVE", "ENC_MOV6", {business, customer->code}, "NOM_CLIENT",
                         customer->name, wait.get());
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    port.message(MsgStyle::Aviso, "", kNamesDone);
    return true;
}

std::vector<StatusRow> status_history(data::Db& db, const std::string& business,
                                      const std::string& code) {
    std::vector<StatusRow> out;
    data::UseOptions o;
    o.order = "EST_CLIE";
    o.read_only = true;
    data::Table t = data::USE(db, "EST_CLIE", o);
    const std::string key = data::order_key("EST_CLIE", "EST_CLIE", {business, normal_code(code)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({t->date("FECHA"), t->num("ESTADO_INI") != 0, t->num("ESTADO_FIN") != 0,
                       static_cast<int>(t->num("TIPO_ANU").to_int()), trim(t->str("USUARIO")),
                       trim(t->str("INFO_USER"))});
    data::KILLTABLA(db, t);
    return out;
}

long recalc_associates(data::Db& db, UserPort& port, const std::string& business) {
    if (!port.confirm("Advertencia", "¿Desea correr la actualización?")) return -1;
    long changed = 0;
    try {
        auto wait = port.wait("Un momento por favor...");
        data::Transaction tx(db);
        data::Table t = data::USE(db, "CLIENTES", "CLIENTES");
        const std::string scope = data::business_key(business);
        t->SetScope(scope, scope);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            const bool has =
                key_exists(db, "DET_CLI3", "DET_CLI3", {business, trim(t->str("CODIGO"))});
            if ((t->num("ASOCIADOS") != 0) == has) continue;
            data::LOCK_FOR_MODIFY(*t);
            t->FieldPut("ASOCIADOS", Decimal(has ? 1 : 0));
            data::UNLOCK_FOR_MODIFY(*t);
            if (++changed % 50 == 0 && wait) wait->progress(changed, 0);
        }
        data::KILLTABLA(db, t);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        refuse(port, kRecodeAborted);
        return 0;
    }
    port.message(MsgStyle::Aviso, "", "Fin de Proceso");
    return changed;
}

}  // namespace qz::domain::customers
