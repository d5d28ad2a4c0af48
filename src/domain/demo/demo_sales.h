#pragma once
// Shifts of point-of-sale sales for the demonstration business, saved through the same sale
// service as the sale screen: registers opened and closed with their pass codes, services and
// boutique articles, taxed and exempt sales, discounts, two currencies, cash with card, cheque
// and room-charge tenders, and a few orders and proformas, so that closings, reports and
// benchmarks have a realistic day's work to read.
#include <functional>
#include <optional>
#include <string>

#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain::demo {

struct SalesRequest {
    long sales = 100;
    int registers = 1;  // the spa's register and up to eight more like it
    unsigned seed = 1;
    long sales_per_shift = 40;
};

struct SalesMade {
    long sales = 0, documents = 0, lines = 0, orders = 0, proformas = 0;
    long exempt = 0, foreign = 0, split_tenders = 0, room_charges = 0, cheques = 0;
    long shifts = 0, refused = 0;
    double seconds = 0;
};

// Refuses (through `port`, nothing made) when the demonstration's spa register is missing or
// the counts are out of range. `progress` is told the sales saved so far.
std::optional<SalesMade> make_demo_sales(data::Db& db, UserPort& port, const SalesRequest& r,
                                         const std::function<void(long)>& progress = {});
std::string describe(const SalesMade& m);

}  // namespace qz::domain::demo
