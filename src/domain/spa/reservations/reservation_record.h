#pragma once
// A spa reservation (SPA_RESE) and its service lines (SPA_RESD) as the form and the booking
// hold them. Times are "HH:MM" text, which compares in time order.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"

namespace qz::domain::spa {

enum ReservationState { kActive = 1, kInvoiced = 2, kCancelled = 3 };
// Where a line's price came from (PREC_ESP).
enum PriceOrigin { kPriceList = 0, kCustomerPrice = 1, kTypedPrice = 3 };

struct SpaLine {
    long recno = 0;  // its SPA_RESD row; 0 while only on screen
    std::string article, description;
    Decimal quantity, price;
    int price_origin = kPriceList;
    Decimal discount, tax;  // percents
    bool deleted = false;   // removed on screen, to be deleted when saved
};

struct SpaHeader {
    std::string code;
    int state = kActive;
    Date date;
    std::string start, end;  // "HH:MM"
    std::string room, agent, hotel_room, name;
    int persons = 0;
    std::string phones, email, notes, price_type, mov_cxc;
    std::string user_reg;
    Date date_reg;
    std::string time_reg;
    std::string user_anul;
    Date date_anul;
    std::string time_anul, info_anul;
};

// "Activa", "Facturada", "Anulada"; blank for anything else.
std::string state_name(int state);

}  // namespace qz::domain::spa
