#include "domain/ledger/active_month.h"

#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

ActiveMonth read_active_month(data::Db& db, const std::string& business) {
    ActiveMonth m;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        m.month = static_cast<int>(t->num("MES").to_int());
        m.year = static_cast<int>(t->num("ANHO").to_int());
        m.enforced = t->num("OBLIGA_MES") == 1;
    }
    data::KILLTABLA(db, t);
    return m;
}

bool save_active_month(data::Db& db, UserPort& port, const std::string& business,
                       const ActiveMonth& m) {
    if (m.month < 1 || m.month > 12) return refuse(port, "El Mes debe estar entre 1 y 12.");
    if (m.year < 1900 || m.year > 2099) return refuse(port, "El Año debe estar entre 1900 y 2099.");
    const auto put = [&](data::WDBTable& r) {
        r.FieldPut("MES", Decimal(m.month));
        r.FieldPut("ANHO", Decimal(m.year));
        r.FieldPut("OBLIGA_MES", Decimal(m.enforced ? 1 : 0));
    };
    data::Transaction tx(db);
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (lock_at_key(*t, data::order_key("F_FAC", "F_FAC", {business}))) {
        put(*t);
        data::UNLOCK_FOR_MODIFY(*t);
    } else {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", business);
        put(*t);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool document_in_active_month(data::Db& db, UserPort& port, const std::string& business,
                              const Date& d) {
    const ActiveMonth m = read_active_month(db, business);
    const char* outside = nullptr;
    if (d.year() != m.year)
        outside = "El documento a procesar se encuentra fuera del año activo del módulo";
    else if (d.month() != m.month)
        outside = "El documento a procesar se encuentra fuera del mes activo del módulo";
    if (!outside) return true;
    if (m.enforced) return refuse(port, outside);
    return port.confirm("Atencion", std::string(outside) + "\r¿Desea Procesarlo?");
}

}  // namespace qz::domain
