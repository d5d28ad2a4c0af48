#include "domain/pos/room_credit.h"

#include <vector>

#include "core/picture.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kMoney = "999,999,999.99";

std::optional<RoomAccount> room_of(data::Db& db, const std::string& business,
                                   const std::string& code, std::string& problem) {
    data::Table rooms = data::USE(db, "ROOMS", "ROOMS");
    std::optional<RoomAccount> out;
    if (rooms->Seek(data::order_key("ROOMS", "ROOMS", {business, code}))) {
        RoomAccount a;
        a.code = code;
        a.reservation = trim(rooms->str("COD_RES"));
        a.room_type = trim(rooms->str("COD_HAB"));
        a.item = rooms->num("ITEM_HAB").to_int();
        if (a.reservation.empty()) problem = "La Habitación " + code + " no tiene Huéspedes";
        out = a;
    }
    data::KILLTABLA(db, rooms);
    if (!out || !problem.empty()) return out;
    data::Table line = data::USE(db, "DET_RES2", "DET_RES2");
    if (line->Seek(data::order_key("DET_RES2", "DET_RES2",
                                   {business, out->reservation, out->room_type, out->item}))) {
        out->has_credit = line->num("TIENE_CRED") == 1;
        out->limit = line->num("MONTO_CRED");
    }
    data::KILLTABLA(db, line);
    return out;
}

std::optional<RoomAccount> master_of(data::Db& db, const std::string& business,
                                     const std::string& code, std::string& problem) {
    data::Table m = data::USE(db, "MAESTRAS", "MAESTRAS");
    std::optional<RoomAccount> out;
    if (!m->Seek(data::order_key("MAESTRAS", "MAESTRAS", {business, code}))) {
        problem = "La Habitación o Cuenta Maestra" + code + " no existe";
    } else if (m->num("ESTADO") == 1) {
        problem = "La Cuenta Maestra" + code + " ya está cerrada";
    } else {
        RoomAccount a;
        a.code = code;
        a.reservation = code;
        a.master = true;
        a.has_credit = true;
        a.limit = kMasterAccountLimit;
        out = a;
    }
    data::KILLTABLA(db, m);
    return out;
}

Decimal lines_balance(data::Db& db, const std::string& business, const std::string& folio) {
    data::Table d = data::USE(db, "DET_FOL", "DET_FOL");
    const std::string key = data::order_key("DET_FOL", "DET_FOL", {business, folio});
    d->SetScope(key, key);
    Decimal sum;
    for (d->GoTop(); !d->Eof(); d->Skip()) sum += d->num("DEBITO") - d->num("CREDITO");
    data::KILLTABLA(db, d);
    return sum;
}

}  // namespace

RoomAccountCheck find_room_account(data::Db& db, const std::string& business,
                                   const std::string& code) {
    RoomAccountCheck out;
    const std::string c = trim(code);
    if (c.empty()) {
        out.problem = "Debe asociar una habitación o Cuenta Maestra";
        return out;
    }
    out.account = room_of(db, business, c, out.problem);
    if (!out.account) out.account = master_of(db, business, c, out.problem);
    if (!out.problem.empty())
        out.account.reset();
    else if (!out.account->has_credit)
        out.problem = "El huésped no tiene crédito permitido";
    if (!out.problem.empty()) out.account.reset();
    return out;
}

namespace {

// The account's folios in their order, scoped.
data::Table account_folios(data::Db& db, const std::string& business, const RoomAccount& account) {
    data::Table f = data::USE(db, "ENC_FOL", account.master ? "ENC_FOL4" : "ENC_FOL2");
    const std::string key =
        account.master
            ? data::order_key("ENC_FOL", "ENC_FOL4", {business, 1LL, account.reservation})
            : data::order_key("ENC_FOL", "ENC_FOL2",
                              {business, account.reservation, account.code, account.room_type,
                               static_cast<long long>(account.item)});
    f->SetScope(key, key);
    return f;
}

}  // namespace

std::string folio_currency(data::Db& db, const std::string& business, const RoomAccount& account) {
    data::Table f = account_folios(db, business, account);
    std::string out;
    for (f->GoTop(); !f->Eof() && out.empty(); f->Skip())
        if (account.master || f->num("CTA_MAES") == 0) out = trim(f->str("MONEDA"));
    data::KILLTABLA(db, f);
    return out;
}

Decimal folio_balance(data::Db& db, const std::string& business, const RoomAccount& account) {
    data::Table f = account_folios(db, business, account);
    std::vector<std::string> folios;
    for (f->GoTop(); !f->Eof(); f->Skip())
        if (account.master || f->num("CTA_MAES") == 0) folios.push_back(trim(f->str("NUMERO")));
    data::KILLTABLA(db, f);
    Decimal sum;
    for (const auto& n : folios) sum += lines_balance(db, business, n);
    return sum;
}

std::string credit_problem(const Decimal& limit, const Decimal& balance, const Decimal& amount) {
    if (limit >= balance + amount) return "";
    return std::string("Crédito insuficiente:\r") + "Crédito: " + trim(pic_format(limit, kMoney)) +
           "\rDisponible: " + trim(pic_format(limit - balance, kMoney));
}

}  // namespace qz::domain::pos
