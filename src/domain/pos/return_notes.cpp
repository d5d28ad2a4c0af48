#include "domain/pos/return_notes.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/pos/articles.h"
#include "domain/session/master_rows.h"

namespace qz::domain::pos {

namespace {

constexpr const char* kApplied = "S";

std::string text(const data::WDBTable& t, const char* field) { return trim(t.str(field)); }

}  // namespace

ReturnHeader return_header_from_row(const data::WDBTable& t) {
    ReturnHeader h;
    h.number = text(t, "DOCUMENTO");
    h.date = t.date("FECHA");
    h.time = text(t, "HORA");
    h.price_type = text(t, "TIPO_PREC");
    h.currency = text(t, "MONEDA");
    h.applied = upper_ascii(text(t, "PASADO")) == kApplied;
    return h;
}

void put_return_header_row(data::WDBTable& t, const std::string& business, const ReturnHeader& h) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("DOCUMENTO", h.number);
    t.FieldPut("FECHA", h.date);
    t.FieldPut("HORA", h.time);
    t.FieldPut("TIPO_PREC", h.price_type);
    t.FieldPut("MONEDA", h.currency);
    t.FieldPut("PASADO", std::string(h.applied ? kApplied : ""));
}

ReturnLine return_line_from_row(const data::WDBTable& t) {
    ReturnLine l;
    l.code = text(t, "CODIGO");
    l.quantity = t.num("CANTIDAD");
    l.price = t.num("PRECIO");
    l.cost = t.num("COSTO");
    l.price_type = text(t, "T_PRECIO");
    l.tax = t.num("IMPUESTO");
    l.discount = t.num("DESCUENTO");
    return l;
}

void put_return_line_row(data::WDBTable& t, const std::string& business, const std::string& number,
                         const ReturnLine& l) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("DOCUMENTO", number);
    t.FieldPut("CODIGO", l.code);
    t.FieldPut("CANTIDAD", l.quantity);
    t.FieldPut("PRECIO", l.price);
    t.FieldPut("COSTO", l.cost);
    t.FieldPut("T_PRECIO", l.price_type);
    t.FieldPut("IMPUESTO", l.tax);
    t.FieldPut("DESCUENTO", l.discount);
}

std::string return_note_key(const std::string& business, const std::string& number) {
    return data::order_key("ENC_DEV", "ENC_DEV", {business, number});
}

ReturnDefaults read_return_defaults(data::Db& db, const std::string& business) {
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    ReturnDefaults d;
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        d.series = text(*t, "SERIAL_DEV");
        d.price_type = text(*t, "DEV_TP");
        d.currency = text(*t, "MONEDA");
    }
    data::KILLTABLA(db, t);
    return d;
}

std::vector<ReturnHeader> business_return_notes(data::Db& db, const std::string& business) {
    return business_rows<ReturnHeader>(db, "ENC_DEV", business, return_header_from_row);
}

std::optional<ReturnHeader> read_return_note(data::Db& db, const std::string& business,
                                             const std::string& number) {
    if (trim(number).empty()) return std::nullopt;
    data::Table t = data::USE(db, "ENC_DEV", "ENC_DEV");
    std::optional<ReturnHeader> out;
    if (t->Seek(return_note_key(business, number))) out = return_header_from_row(*t);
    data::KILLTABLA(db, t);
    return out;
}

std::vector<ReturnLine> read_return_lines(data::Db& db, const std::string& business,
                                          const std::string& number) {
    std::vector<ReturnLine> out;
    data::Table t = data::USE(db, "DET_DEV", "DET_DEV");
    const std::string key = data::order_key("DET_DEV", "DET_DEV", {business, number});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        out.push_back(return_line_from_row(*t));
        out.back().recno = t->RecNo();
    }
    data::KILLTABLA(db, t);
    for (auto& l : out)
        if (const auto a = read_article(db, business, l.code)) l.name = a->name;
    return out;
}

}  // namespace qz::domain::pos
