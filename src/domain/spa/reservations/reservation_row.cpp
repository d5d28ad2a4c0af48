#include "domain/spa/reservations/reservation_row.h"

#include "core/text.h"
#include "data/order_key.h"

namespace qz::domain::spa {

namespace {

int int_of(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_int());
}

}  // namespace

SpaHeader reservation_from_row(const data::WDBTable& t) {
    SpaHeader h;
    h.code = trim(t.str("CODIGO"));
    h.state = int_of(t, "ESTADO");
    h.date = t.date("FECHA");
    h.start = trim(t.str("HORA_INI"));
    h.end = trim(t.str("HORA_FIN"));
    h.room = trim(t.str("COD_SALA"));
    h.agent = trim(t.str("ENCARGADO"));
    h.hotel_room = trim(t.str("COD_ROOM"));
    h.name = trim(t.str("A_NOMBRE"));
    h.persons = int_of(t, "NUM_PERSON");
    h.phones = trim(t.str("TELEFONOS"));
    h.email = trim(t.str("EMAIL"));
    h.notes = rtrim(t.str("OBSERVAC"));
    h.price_type = trim(t.str("T_PRECIO"));
    h.mov_cxc = trim(t.str("MOV_CXC"));
    h.user_reg = trim(t.str("USER_REG"));
    h.date_reg = t.date("FECHA_REG");
    h.time_reg = trim(t.str("HORA_REG"));
    h.user_anul = trim(t.str("USER_ANUL"));
    h.date_anul = t.date("FECHA_ANUL");
    h.time_anul = trim(t.str("HORA_ANUL"));
    h.info_anul = trim(t.str("INFO_ANUL"));
    return h;
}

void put_reservation_row(data::WDBTable& t, const std::string& business, const SpaHeader& h) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", h.code);
    t.FieldPut("ESTADO", Decimal(h.state));
    t.FieldPut("FECHA", h.date);
    t.FieldPut("HORA_INI", h.start);
    t.FieldPut("HORA_FIN", h.end);
    t.FieldPut("COD_SALA", h.room);
    t.FieldPut("ENCARGADO", h.agent);
    t.FieldPut("COD_ROOM", h.hotel_room);
    t.FieldPut("A_NOMBRE", h.name);
    t.FieldPut("NUM_PERSON", Decimal(h.persons));
    t.FieldPut("TELEFONOS", h.phones);
    t.FieldPut("EMAIL", h.email);
    t.FieldPut("OBSERVAC", h.notes);
    t.FieldPut("T_PRECIO", h.price_type);
    t.FieldPut("MOV_CXC", h.mov_cxc);
    t.FieldPut("USER_REG", h.user_reg);
    t.FieldPut("FECHA_REG", h.date_reg);
    t.FieldPut("HORA_REG", h.time_reg);
    t.FieldPut("USER_ANUL", h.user_anul);
    t.FieldPut("FECHA_ANUL", h.date_anul);
    t.FieldPut("HORA_ANUL", h.time_anul);
    t.FieldPut("INFO_ANUL", h.info_anul);
}

void take_form_fields(SpaHeader& saved, const SpaHeader& form) {
    saved.date = form.date;
    saved.start = form.start;
    saved.end = form.end;
    saved.room = form.room;
    saved.agent = form.agent;
    saved.hotel_room = form.hotel_room;
    saved.name = form.name;
    saved.persons = form.persons;
    saved.phones = form.phones;
    saved.email = form.email;
    saved.notes = form.notes;
    saved.price_type = form.price_type;
}

SpaLine line_from_row(const data::WDBTable& t) {
    SpaLine l;
    l.article = trim(t.str("CODIGO"));
    l.quantity = t.num("CANTIDAD");
    l.price = t.num("PRECIO");
    l.price_origin = int_of(t, "PREC_ESP");
    l.discount = t.num("DESCUENTO");
    l.tax = t.num("IMPUESTO");
    return l;
}

void put_line_row(data::WDBTable& t, const std::string& business, const std::string& code, int n,
                  const SpaLine& l) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("COD_RESER", code);
    t.FieldPut("CONSECU", Decimal(n));
    t.FieldPut("CODIGO", l.article);
    t.FieldPut("CANTIDAD", l.quantity);
    t.FieldPut("PRECIO", l.price);
    t.FieldPut("PREC_ESP", Decimal(l.price_origin));
    t.FieldPut("DESCUENTO", l.discount);
    t.FieldPut("IMPUESTO", l.tax);
}

std::string reservation_key(const std::string& business, const std::string& code) {
    return data::order_key("SPA_RESE", "SPA_RESE", {business, code});
}

std::string reservation_lines_key(const std::string& business, const std::string& code) {
    return data::order_key("SPA_RESD", "SPA_RESD", {business, code});
}

}  // namespace qz::domain::spa
