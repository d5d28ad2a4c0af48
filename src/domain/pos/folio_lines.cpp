#include "domain/pos/folio_lines.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain::pos {

namespace {

Decimal tax_rate(data::Db& db, const std::string& business, const std::string& code) {
    data::Table t = data::USE(db, "TIPO_IMP", "TIPO_IMP");
    const Decimal rate = t->Seek(data::order_key("TIPO_IMP", "TIPO_IMP", {business, code}))
                             ? t->num("MONTO")
                             : Decimal();
    data::KILLTABLA(db, t);
    return rate;
}

void read_taxes(data::Db& db, const std::string& business, HotelTransaction& h) {
    std::vector<std::string> codes;
    data::Table t = data::USE(db, "DET_IMP", "DET_IMP");
    const std::string key = data::order_key("DET_IMP", "DET_IMP", {business, h.code});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        if (t->num("CHECK1") == 1) codes.push_back(trim(t->str("COD_IMP")));
    data::KILLTABLA(db, t);
    for (const auto& c : codes) h.taxes.push_back({c, tax_rate(db, business, c)});
}

void read_shares(data::Db& db, const std::string& business, HotelTransaction& h) {
    data::Table t = data::USE(db, "DET_TRAN", "DET_TRAN");
    const std::string key = data::order_key("DET_TRAN", "DET_TRAN", {business, h.code});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        h.shares.push_back({trim(t->str("SUB_TRAN")), t->num("PORCENTAJE")});
    data::KILLTABLA(db, t);
}

// One folio line of `amount` (sale currency) under `code`.
void add_line(data::WDBTable& d, FolioCharge& c, const std::string& code, const Decimal& amount,
              bool tax) {
    const RoomChargeRequest& r = c.request;
    const DateTime now = d.db().clock().now();
    data::ADD_NEW_REC(d);
    d.FieldPut("NEGOCIO", r.business);
    d.FieldPut("NUMERO", c.folio);
    d.FieldPut("CONSECUT", Decimal(c.next_line++));
    d.FieldPut("ROOM", trim(r.room));
    d.FieldPut("HAB_ORIGEN", trim(r.room));
    d.FieldPut("FECHA", now.date);
    d.FieldPut("HORA", now.time);
    d.FieldPut("COD_TRANS", c.transaction.code);
    d.FieldPut("COD_TRAN", code);
    d.FieldPut("DOCUMEN", trim(r.document));
    d.FieldPut("COMENTA", "Doc: " + trim(r.document) + " " + now.date.dtoc() + " " + now.time);
    d.FieldPut("SI_IMP", Decimal(tax ? 1 : 0));
    d.FieldPut("MONEDA", c.currency);
    d.FieldPut("OMONEDA", trim(r.currency));
    d.FieldPut("T_CAMBIO", c.rate);
    d.FieldPut("OCAMBIO", c.rate);
    const Decimal converted = ROUND5(amount * c.rate);
    const bool credit = c.transaction.credit;
    d.FieldPut(credit ? "CREDITO" : "DEBITO", converted);
    d.FieldPut(credit ? "OCREDITO" : "ODEBITO", amount);
    d.FieldPut("CIERRE_DIA", c.day);
    d.FieldPut("FECHA_O", c.day);
    d.FieldPut("USUARIO", r.user);
    data::UNLOCK_NEW_REC(d);
}

Date hotel_day(data::Db& db, const std::string& business) {
    data::Table h = data::USE(db, "F_HOTEL", "F_HOTEL");
    const Date day =
        h->Seek(data::order_key("F_HOTEL", "F_HOTEL", {business})) ? h->date("CIERRE_DIA") : Date();
    data::KILLTABLA(db, h);
    return day;
}

}  // namespace

std::optional<HotelTransaction> read_hotel_transaction(data::Db& db, const std::string& business,
                                                       const std::string& code) {
    std::optional<HotelTransaction> out;
    data::Table t = data::USE(db, "TRANSACS", "TRANSACS");
    if (!trim(code).empty() &&
        t->Seek(data::order_key("TRANSACS", "TRANSACS", {business, trim(code)}))) {
        HotelTransaction h;
        h.code = trim(t->str("CODIGO"));
        h.name = trim(t->str("DESCRIP"));
        h.credit = t->num("TIPO") == 1;
        h.taxes_included = t->num("IMP_INCLU") == 1;
        out = h;
    }
    data::KILLTABLA(db, t);
    if (out) {
        if (out->taxes_included) read_taxes(db, business, *out);
        read_shares(db, business, *out);
    }
    return out;
}

int write_folio_lines(data::Db& db, FolioCharge& c) {
    const HotelTransaction& h = c.transaction;
    std::vector<Decimal> rates;
    for (const auto& t : h.taxes) rates.push_back(t.rate);
    const TaxSplit split =
        h.taxes.empty() ? TaxSplit{c.request.amount, {}} : CALCULA_MONTO(c.request.amount, rates);
    // The sub-transactions take their share of the base; the charge's own line keeps the rest.
    std::vector<Decimal> shares;
    Decimal main = split.base;
    for (const auto& s : h.shares) {
        shares.push_back(ROUND5(split.base * s.percent / Decimal(100)));
        main -= shares.back();
    }
    c.day = hotel_day(db, c.request.business);
    data::Table d = data::USE(db, "DET_FOL", "DET_FOL");
    const long first = c.next_line;
    add_line(*d, c, h.code, main, false);
    for (size_t i = 0; i < h.taxes.size(); ++i)
        add_line(*d, c, h.taxes[i].code, split.taxes[i], true);
    for (size_t i = 0; i < h.shares.size(); ++i)
        add_line(*d, c, h.shares[i].code, shares[i], false);
    data::KILLTABLA(db, d);
    return static_cast<int>(c.next_line - first);
}

void copy_articles(data::Db& db, const RoomChargeRequest& r, const std::string& folio) {
    const DateTime now = db.clock().now();
    data::Table a = data::USE(db, "DET_FOL2");
    for (const auto& l : r.articles) {
        data::ADD_NEW_REC(*a);
        a->FieldPut("NEGOCIO", r.business);
        a->FieldPut("NUMERO", folio);
        a->FieldPut("DOCUMENTO", trim(r.document));
        a->FieldPut("CODIGO", l.article);
        a->FieldPut("DESCRIP", l.description);
        a->FieldPut("CANTIDAD", l.quantity);
        a->FieldPut("PRECIO", l.price);
        a->FieldPut("DESCUENTO", l.discount);
        a->FieldPut("IMPUESTO", l.tax);
        a->FieldPut("FECHA", now.date);
        a->FieldPut("HORA", now.time);
        data::UNLOCK_NEW_REC(*a);
    }
    data::KILLTABLA(db, a);
}

}  // namespace qz::domain::pos
