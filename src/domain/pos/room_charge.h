#pragma once
// The charge of a room-charge tender on the hotel folio (ADD_CARGO): the open folio of the
// guest's room line or of the master account, one line for the charge, one per tax the hotel
// transaction includes and one per sub-transaction sharing it, and the sale's articles copied to
// the folio. Runs inside the transaction of the sale that calls it.
#include <string>
#include <vector>

#include "core/date.h"
#include "core/decimal.h"
#include "data/db.h"

namespace qz::domain::pos {

// One line of the sale, as the folio's article detail keeps it.
struct FolioArticle {
    std::string article, description;
    Decimal quantity, price, discount, tax;  // discount and tax in percent
};

struct RoomChargeRequest {
    std::string currency;  // the sale's
    std::string business;
    std::string room;         // the room or master account of the tender
    std::string transaction;  // the payment type's hotel transaction (CARGO)
    std::string document;     // the sale document
    Decimal amount;           // in the sale's currency
    std::string folio_key;    // the tender's COD_RES: reservation or master account
    std::string user;
    std::vector<FolioArticle> articles;
};

struct RoomChargeResult {
    std::string problem;  // "" when charged
    std::string folio;    // NUMERO of the folio charged
    int lines = 0;        // DET_FOL lines written
    explicit operator bool() const { return problem.empty(); }
};

// Writes nothing and says why when there is no open folio, no hotel transaction or no rate
// between the folio's currency and the sale's; the caller then rolls its transaction back.
RoomChargeResult ADD_CARGO(data::Db& db, const RoomChargeRequest& request);

// An amount that includes taxes split into its base and one amount per tax rate (percent),
// rounded to cents with the last tax taking the rounding, so the parts add up to the amount.
struct TaxSplit {
    Decimal base;
    std::vector<Decimal> taxes;
};
TaxSplit CALCULA_MONTO(const Decimal& amount, const std::vector<Decimal>& rates);

}  // namespace qz::domain::pos
