#pragma once
// The active month of the receivables module (F_FAC MES, ANHO): documents and payments are
// dated in it. With OBLIGA_MES a date outside it is refused; without, the user is asked.
#include <string>

#include "core/date.h"
#include "core/user_port.h"
#include "data/db.h"

namespace qz::domain {

struct ActiveMonth {
    int month = 0;          // MES, 1 to 12
    int year = 0;           // ANHO
    bool enforced = false;  // OBLIGA_MES: a date outside is refused, not asked about
};

ActiveMonth read_active_month(data::Db& db, const std::string& business);

// "Meses Activos Módulos": refuses a month outside 1..12 or a year outside 1900..2099 with a
// message; the business's F_FAC record is created when it has none. True when saved.
bool save_active_month(data::Db& db, UserPort& port, const std::string& business,
                       const ActiveMonth& m);

// Whether a document dated `d` may be processed: inside the active month and year it may; outside
// it is refused when enforced, else the user is asked.
bool document_in_active_month(data::Db& db, UserPort& port, const std::string& business,
                              const Date& d);

}  // namespace qz::domain
