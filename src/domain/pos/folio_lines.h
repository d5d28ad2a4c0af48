#pragma once
// The pieces of a room charge: the hotel transaction with its taxes and sub-transactions, and
// the folio lines and article copies it writes.
#include <optional>
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"
#include "domain/pos/room_charge.h"

namespace qz::domain::pos {

struct HotelTransaction {
    std::string code, name;
    bool credit = false;          // TIPO 1: the amount goes to CREDITO
    bool taxes_included = false;  // IMP_INCLU
    struct Tax {
        std::string code;
        Decimal rate;  // TIPO_IMP MONTO, percent
    };
    std::vector<Tax> taxes;  // DET_IMP rows with CHECK1 = 1
    struct Share {
        std::string code;
        Decimal percent;  // DET_TRAN PORCENTAJE
    };
    std::vector<Share> shares;
};

std::optional<HotelTransaction> read_hotel_transaction(data::Db& db, const std::string& business,
                                                       const std::string& code);

// A charge being written on one folio.
struct FolioCharge {
    const RoomChargeRequest& request;
    const HotelTransaction& transaction;
    std::string folio;
    std::string currency;  // the folio's
    long next_line = 0;    // the folio's CONSECUT, advanced by every line written
    Decimal rate;          // folio currency per sale currency unit
    Date day;              // the hotel's business day (F_HOTEL CIERRE_DIA)
};

// The charge line, its tax lines and its shares; returns how many lines were written.
int write_folio_lines(data::Db& db, FolioCharge& c);
// The sale's lines as the folio's article detail (DET_FOL2).
void copy_articles(data::Db& db, const RoomChargeRequest& r, const std::string& folio);

}  // namespace qz::domain::pos
