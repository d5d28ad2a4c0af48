#include "domain/ledger/rate_rows.h"

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

const char* const kRateFields[5] = {"CAMBIO", "CAMBIO2", "CAMBIO3", "CAMBIO4", "CAMBIO5"};

std::string rate_key(const std::string& business, const std::string& from, const std::string& to,
                     const Date& d) {
    return data::order_key("T_CAMBIO", "T_CAMBIO", {business, from, to, d});
}

void put_rate_row(data::Db& db, data::WDBTable& t, const std::string& business,
                  const std::string& user, const DatedRate& r) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("MONEDA1", normal_code(r.from));
    t.FieldPut("MONEDA2", normal_code(r.to));
    t.FieldPut("FECHA", r.fecha);
    t.FieldPut("LIMITE", date_2090());
    for (int i = 0; i < 5; ++i) t.FieldPut(kRateFields[i], r.rates[i]);
    t.FieldPut("USUARIO", user);
    t.FieldPut("INFO_USER", info_user(db.clock().now()));
}

bool pair_defined(data::Db& db, const std::string& business, const DatedRate& r) {
    return key_exists(db, "DET_MON", "DET_MON", {business, normal_code(r.from), normal_code(r.to)});
}

std::string duplicate_text(const DatedRate& r) {
    return "Ya existe un tipo de cambio de " + normal_code(r.from) + " a " + normal_code(r.to) +
           " para el " + r.fecha.dtoc4() + "...";
}

}  // namespace

DatedRate dated_rate_from_row(const data::WDBTable& t) {
    DatedRate r{trim(t.str("MONEDA1")), trim(t.str("MONEDA2")), t.date("FECHA"), {}};
    for (int i = 0; i < 5; ++i) r.rates[i] = t.num(kRateFields[i]);
    return r;
}

std::vector<DatedRate> pair_rates(data::Db& db, const std::string& business,
                                  const std::string& from, const std::string& to) {
    data::UseOptions o;
    o.order = "T_CAMB2";
    o.read_only = true;
    data::Table t = data::USE(db, "T_CAMBIO", o);
    const std::string scope = data::order_key("T_CAMBIO", "T_CAMB2", {business, from, to});
    t->SetScope(scope, scope);
    std::vector<DatedRate> all;
    for (t->GoTop(); !t->Eof(); t->Skip()) all.push_back(dated_rate_from_row(*t));
    data::KILLTABLA(db, t);
    return all;
}

std::string check_dated_rate(const DatedRate& r) {
    if (r.fecha.empty()) return "La fecha del tipo de cambio es requerida...";
    if (r.rates[0].is_zero()) return kZeroFirstRate;
    for (const auto& v : r.rates)
        if (v.sign() < 0) return "Un tipo de cambio no puede ser negativo...";
    return "";
}

bool add_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                    const std::string& user, const DatedRate& r) {
    if (auto problem = check_dated_rate(r); !problem.empty()) return refuse(port, problem);
    if (!pair_defined(db, business, r))
        return refuse(port,
                      std::string("Problemas con los códigos de moneda ") + r.from + " / " + r.to);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "T_CAMBIO", "T_CAMBIO");
    // Checked inside the transaction so two stations typing the same day cannot both add it.
    if (t->Seek(rate_key(business, normal_code(r.from), normal_code(r.to), r.fecha))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return refuse(port, duplicate_text(r));
    }
    data::ADD_NEW_REC(*t);
    put_rate_row(db, *t, business, user, r);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool modify_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                       const std::string& user, const Date& old_date, const DatedRate& r) {
    if (auto problem = check_dated_rate(r); !problem.empty()) return refuse(port, problem);
    const std::string from = normal_code(r.from), to = normal_code(r.to);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "T_CAMBIO", "T_CAMBIO");
    if (r.fecha != old_date && t->Seek(rate_key(business, from, to, r.fecha))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return refuse(port, duplicate_text(r));
    }
    if (!lock_at_key(*t, rate_key(business, from, to, old_date))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return refuse(port, "El tipo de cambio del " + old_date.dtoc4() + " ya no existe...");
    }
    put_rate_row(db, *t, business, user, r);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool delete_dated_rate(data::Db& db, UserPort& port, const std::string& business,
                       const DatedRate& r) {
    if (!port.confirm("Advertencia", "Desea borrar el Tipo de Cambio del " + r.fecha.dtoc4() + "?"))
        return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "T_CAMBIO", "T_CAMBIO");
    const bool found =
        lock_at_key(*t, rate_key(business, normal_code(r.from), normal_code(r.to), r.fecha));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

}  // namespace qz::domain
