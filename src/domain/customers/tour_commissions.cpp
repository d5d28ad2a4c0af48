#include "domain/customers/tour_commissions.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain::customers {

namespace {

std::string commission_key(const std::string& business, const std::string& customer,
                           const std::string& article) {
    return data::order_key("DET_ART6", "DET_ART6", {business, normal_code(customer), article});
}

std::optional<Decimal> commission_of(data::Db& db, const std::string& business,
                                     const std::string& customer, const std::string& article) {
    std::optional<Decimal> out;
    data::Table t = data::USE(db, "DET_ART6", "DET_ART6");
    if (t->Seek(commission_key(business, customer, article))) out = t->num("COMISION");
    data::KILLTABLA(db, t);
    return out;
}

}  // namespace

std::optional<ReservationSettings> reservation_settings(data::Db& db, const std::string& business) {
    std::optional<ReservationSettings> out;
    data::Table t = data::USE(db, "F_RESER", "F_RESER");
    if (t->Seek(data::order_key("F_RESER", "F_RESER", {business})))
        out = ReservationSettings{t->num("COMISION") == 1, trim(t->str("LINEA_TOUR"))};
    data::KILLTABLA(db, t);
    return out;
}

std::vector<TourArticle> tour_articles(data::Db& db, const std::string& business) {
    std::vector<TourArticle> out;
    const auto settings = reservation_settings(db, business);
    if (!settings || settings->tour_line.empty()) return out;
    for_business_rows(db, "DEF_ART", business, [&](const data::WDBTable& t) {
        if (trim(t.str("LINEA")) == settings->tour_line)
            out.push_back({trim(t.str("CODIGO")), trim(t.str("DESCRIP"))});
    });
    return out;
}

std::vector<TourCommission> customer_tour_commissions(data::Db& db, const std::string& business,
                                                      const std::string& customer) {
    std::vector<TourCommission> out;
    for (auto& a : tour_articles(db, business)) {
        auto c = commission_of(db, business, customer, a.code);
        out.push_back({std::move(a), c});
    }
    return out;
}

bool write_tour_commissions(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& customer, const Decimal& percent) {
    if (!reservation_settings(db, business)) return refuse(port, kNoReservations);
    if (percent < Decimal(0) || percent > Decimal(100)) return refuse(port, kCommissionRange);
    const auto tours = tour_articles(db, business);
    if (tours.empty()) return refuse(port, kNoTours);
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "DET_ART6", "DET_ART6");
        for (const auto& a : tours) {
            if (!lock_at_key(*t, commission_key(business, customer, a.code))) {
                data::ADD_NEW_REC(*t);
                t->FieldPut("NEGOCIO", business);
                t->FieldPut("COD_COMI", normal_code(customer));
                t->FieldPut("ARTICULO", a.code);
            }
            t->FieldPut("COMISION", percent);
            data::UNLOCK_FOR_MODIFY(*t);
        }
        data::KILLTABLA(db, t);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool remove_tour_commissions(data::Db& db, UserPort& port, const std::string& business,
                             const std::string& customer) {
    if (!port.confirm("Advertencia", kRemoveCommissionsAsk)) return false;
    try {
        data::Transaction tx(db);
        delete_by_order(db, "DET_ART6", "DET_ART6", {business, normal_code(customer)});
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

}  // namespace qz::domain::customers
