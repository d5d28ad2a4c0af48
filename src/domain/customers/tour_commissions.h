#pragma once
// A customer's commission (as an agency) on the tours it sells: one DET_ART6 row per tour
// article (COD_COMI = customer). Tours are the articles (DEF_ART) of the line the reservations
// settings F_RESER name in LINEA_TOUR; without F_RESER the reservations module is not set up to
// work with receivables and there are no tours to speak of.
#include <optional>
#include <string>
#include <vector>

#include "core/decimal.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::customers {

struct ReservationSettings {
    bool commission = false;  // COMISION: a new customer is asked for its commission
    std::string tour_line;    // LINEA_TOUR
};
// Nothing when the business has no F_RESER record.
std::optional<ReservationSettings> reservation_settings(data::Db& db, const std::string& business);

struct TourArticle {
    std::string code, name;
};
std::vector<TourArticle> tour_articles(data::Db& db, const std::string& business);

// A tour with the customer's commission on it; nothing when it has none.
struct TourCommission {
    TourArticle article;
    std::optional<Decimal> commission;
};
std::vector<TourCommission> customer_tour_commissions(data::Db& db, const std::string& business,
                                                      const std::string& customer);

// "MODICOMIS4": `percent` on every tour article, replacing the customer's earlier rows, in one
// transaction. Refused without F_RESER, without tours or outside 0..100.
bool write_tour_commissions(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& customer, const Decimal& percent);
// QUITAR_COMIS: after the question, every commission row of the customer goes.
bool remove_tour_commissions(data::Db& db, UserPort& port, const std::string& business,
                             const std::string& customer);

inline constexpr const char* kNoReservations =
    "El modulo de Reservas no esta configurado para trabajar con el Modulo de CXC";
inline constexpr const char* kNoTours = "No hay artículos de tours definidos";
inline constexpr const char* kCommissionRange = "El % de comisión debe estar entre 0 y 100";
inline constexpr const char* kRemoveCommissionsAsk =
    "¿Desea borrar las comisiones del cliente sobre los tours?";

}  // namespace qz::domain::customers
