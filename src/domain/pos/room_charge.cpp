#include "domain/pos/room_charge.h"

#include <optional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/pos/folio_lines.h"

namespace qz::domain::pos {

namespace {

struct RoomLine {
    std::string type;
    long item = 0;
};

// The room line of the guest in `room` when the folio key is that guest's reservation.
std::optional<RoomLine> room_line(data::Db& db, const RoomChargeRequest& r) {
    std::optional<RoomLine> out;
    data::Table rooms = data::USE(db, "ROOMS", "ROOMS");
    if (rooms->Seek(data::order_key("ROOMS", "ROOMS", {r.business, trim(r.room)})))
        out = RoomLine{trim(rooms->str("COD_HAB")),
                       static_cast<long>(rooms->num("ITEM_HAB").to_int())};
    data::KILLTABLA(db, rooms);
    if (!out) return out;
    data::Table lines = data::USE(db, "DET_RES2", "DET_RES2");
    if (!lines->Seek(data::order_key("DET_RES2", "DET_RES2",
                                     {r.business, trim(r.folio_key), out->type, out->item})))
        out.reset();
    data::KILLTABLA(db, lines);
    return out;
}

// The open folio, the one marked last first (its key sorts it ahead); 0 when there is none.
long find_folio(data::Db& db, const RoomChargeRequest& r) {
    const auto line = room_line(db, r);
    const std::string order = line ? "ENC_FOL2" : "ENC_FOL3";
    const std::string key =
        line
            ? data::order_key("ENC_FOL", order,
                              {r.business, trim(r.folio_key), trim(r.room), line->type,
                               static_cast<long long>(line->item), 0LL})
            : data::order_key("ENC_FOL", order, {r.business, trim(r.folio_key), trim(r.room), 0LL});
    data::Table f = data::USE(db, "ENC_FOL", order);
    const long recno = f->Seek(key) ? f->RecNo() : 0;
    data::KILLTABLA(db, f);
    return recno;
}

}  // namespace

TaxSplit CALCULA_MONTO(const Decimal& amount, const std::vector<Decimal>& rates) {
    TaxSplit out;
    Decimal total_rate;
    for (const auto& r : rates) total_rate += r;
    out.base = ROUND5(amount * Decimal(100) / (Decimal(100) + total_rate));
    Decimal left = amount - out.base;
    for (size_t i = 0; i < rates.size(); ++i) {
        const Decimal tax =
            i + 1 == rates.size() ? left : ROUND5(out.base * rates[i] / Decimal(100));
        out.taxes.push_back(tax);
        left -= tax;
    }
    return out;
}

RoomChargeResult ADD_CARGO(data::Db& db, const RoomChargeRequest& r) {
    RoomChargeResult out;
    const long recno = find_folio(db, r);
    if (recno == 0) {
        out.problem = "No se encuentra un Folio abierto para: " + trim(r.room);
        return out;
    }
    const auto transaction = read_hotel_transaction(db, r.business, r.transaction);
    if (!transaction) {
        out.problem = "La Transacción de Hotel " + trim(r.transaction) + " no existe";
        return out;
    }
    data::Table folio = data::USE(db, "ENC_FOL", "ENC_FOL");
    folio->GoTo(recno);
    data::LOCK_FOR_MODIFY(*folio);  // the running line number is taken under the lock
    FolioCharge c{r, *transaction, trim(folio->str("NUMERO")), trim(folio->str("MONEDA")),
                  static_cast<long>(folio->num("CONSECUT").to_int())};
    if (c.currency.empty()) c.currency = trim(r.currency);
    const RequiredRate rate =
        required_rate(db, r.business, c.currency, trim(r.currency), db.clock().XDATE());
    if (!rate) {
        data::UNLOCK_FOR_MODIFY(*folio);
        data::KILLTABLA(db, folio);
        out.problem = rate.problem;
        return out;
    }
    c.rate = rate.factor;
    out.lines = write_folio_lines(db, c);
    folio->FieldPut("CONSECUT", Decimal(c.next_line));
    data::UNLOCK_FOR_MODIFY(*folio);
    data::KILLTABLA(db, folio);
    copy_articles(db, r, c.folio);
    out.folio = c.folio;
    return out;
}

}  // namespace qz::domain::pos
