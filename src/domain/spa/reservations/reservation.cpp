#include "domain/spa/reservations/reservation.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/spa/reservations/booking.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/form_lists.h"

namespace qz::domain::spa {

namespace {

std::string biz(const std::string& business) { return pad_right(business, 15); }

SpaHeader read_header(const data::WDBTable& t) {
    SpaHeader h;
    h.code = trim(t.str("CODIGO"));
    h.state = static_cast<int>(t.num("ESTADO").to_int());
    h.date = t.date("FECHA");
    h.start = trim(t.str("HORA_INI"));
    h.end = trim(t.str("HORA_FIN"));
    h.room = trim(t.str("COD_SALA"));
    h.agent = trim(t.str("ENCARGADO"));
    h.hotel_room = trim(t.str("COD_ROOM"));
    h.name = trim(t.str("A_NOMBRE"));
    h.persons = static_cast<int>(t.num("NUM_PERSON").to_int());
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

}  // namespace

bool mails_confirmation(data::Db& db, const std::string& business) {
    auto f = data::USE(db, "F_FAC", "F_FAC");
    bool on = f->Seek(biz(business)) && f->num("SPA_A_MAIL").to_int() == 1;
    data::KILLTABLA(db, f);
    return on;
}

SpaReservation::SpaReservation(data::Db& db, UserPort& port, std::string business,
                               std::string user)
    : m_db(db), m_port(port), m_business(std::move(business)), m_user(std::move(user)) {}

void SpaReservation::start_new(const std::string& room, const Date& date,
                               const std::string& start) {
    header = SpaHeader{};
    header.room = room;
    header.date = date;
    header.start = start;
    lines.clear();
    m_mode = FormMode::New;
    m_saved_date = Date{};
}

bool SpaReservation::load(const std::string& code, FormMode mode) {
    auto t = data::USE(m_db, "SPA_RESE", "SPA_RESE");
    const bool found = t->Seek(biz(m_business) + pad_right(code, 15));
    if (found) header = read_header(*t);
    data::KILLTABLA(m_db, t);
    if (!found) return false;
    lines.clear();
    auto d = data::USE(m_db, "SPA_RESD", "SPA_RESD");
    const std::string key = biz(m_business) + pad_right(header.code, 15);
    d->SetScope(key, key);
    for (d->GoTop(); !d->Eof(); d->Skip()) {
        SpaLine l;
        l.recno = d->RecNo();
        l.article = trim(d->str("CODIGO"));
        l.quantity = d->num("CANTIDAD");
        l.price = d->num("PRECIO");
        l.price_origin = static_cast<int>(d->num("PREC_ESP").to_int());
        l.discount = d->num("DESCUENTO");
        l.tax = d->num("IMPUESTO");
        if (auto a = find_article(m_db, m_business, l.article)) l.description = a->description;
        lines.push_back(l);
    }
    data::KILLTABLA(m_db, d);
    m_mode = mode;
    m_saved_date = header.date;
    return true;
}

bool SpaReservation::choose_hotel_room(const std::string& room) {
    const auto guest = in_house_guest(m_db, m_business, room);
    if (!guest) {
        m_port.message(MsgStyle::Error, "Error",
                       "No se permite asignar un Room que no está in-house.");
        header.hotel_room.clear();
        return false;
    }
    header.hotel_room = trim(room);
    if (header.name.empty()) header.name = guest->name;
    if (header.phones.empty()) header.phones = guest->phone;
    if (header.email.empty()) header.email = guest->email;
    return true;
}

void SpaReservation::price_line(SpaLine& l) {
    if (l.price_origin == kTypedPrice) return;
    auto p = lookup_price(m_db, m_business, l.article, header.price_type, customer);
    l.price = p ? p->price : Decimal(0);
    l.price_origin = p ? p->origin : kPriceList;
}

bool SpaReservation::set_article(size_t i, const std::string& code) {
    const auto a = find_article(m_db, m_business, code);
    if (!a) {
        m_port.message(MsgStyle::Error, "Error", "Artículo no definido: " + trim(code));
        return false;
    }
    if (i >= lines.size()) {
        lines.push_back(SpaLine{});
        i = lines.size() - 1;
        lines[i].quantity = Decimal(1);
    }
    SpaLine& l = lines[i];
    l.article = a->code;
    l.description = a->description;
    l.tax = a->tax;
    l.price_origin = kPriceList;
    price_line(l);
    hold_discount(l);
    return true;
}

void SpaReservation::reprice() {
    for (SpaLine& l : lines)
        if (!l.deleted) price_line(l);
}

void SpaReservation::remove_line(size_t i) {
    if (lines.at(i).recno > 0)
        lines[i].deleted = true;
    else
        lines.erase(lines.begin() + static_cast<long>(i));
}

bool SpaReservation::refuse(const std::string& text) {
    m_port.message(MsgStyle::Error, "Error", text);
    return true;
}

std::optional<int> SpaReservation::room_capacity() const {
    for (const auto& r : spa_rooms(m_db, m_business, true))
        if (r.code == header.room) return r.capacity;
    return std::nullopt;
}

std::optional<FormField> SpaReservation::validate() {
    const SpaHeader& h = header;
    const Date today = m_db.clock().XDATE();
    if (trim(h.name).empty() && refuse("El Nombre es requerido...")) return FormField::Name;
    if (h.date.empty() && refuse("La fecha es requerida...")) return FormField::Date;
    if (h.start.empty() && refuse("La hora inicial es requerida...")) return FormField::Start;
    if (h.end.empty() && refuse("La hora final es requerida...")) return FormField::End;
    if (h.end <= h.start &&
        refuse("La hora final no puede ser menor o igual a la hora inicial."))
        return FormField::End;
    if (h.persons <= 0 && refuse("El Número de Personas es requerido..."))
        return FormField::Persons;
    if (h.room.empty() && refuse("La sala es requerida...")) return FormField::Room;
    if (m_mode == FormMode::New && h.date < today &&
        refuse("No está permitido crear Reservaciones con fecha anterior a la actual..."))
        return FormField::Date;
    if (m_mode == FormMode::Modify && h.date != m_saved_date && h.date < today &&
        refuse("No está permitido modificar la fecha de la reserva a una fecha anterior a la "
               "actual..."))
        return FormField::Date;
    const auto capacity = room_capacity();
    if (!capacity && refuse("La sala es requerida...")) return FormField::Room;
    if (h.persons > *capacity && refuse(kOverRoomCapacity)) return FormField::Persons;
    // A first look without the room's lock, so the user hears of a full room before saving;
    // saving weighs it again while holding the lock.
    const auto others = room_day_bookings(m_db, m_business, h.room, h.date,
                                          m_mode == FormMode::New ? "" : h.code);
    const Peak peak = peak_persons(others, h.start, h.end, h.persons);
    if (peak.persons > *capacity && peak.holder && refuse(capacity_refusal(*peak.holder)))
        return FormField::Start;
    return check_lines();
}

std::optional<FormField> SpaReservation::validate_invoicing() {
    if (header.agent.empty() && refuse("El encargado es requerido...")) return FormField::Agent;
    if (header.price_type.empty() && refuse("El tipo de precio es requerido..."))
        return FormField::PriceType;
    for (const SpaLine& l : lines)
        if (!l.deleted && l.quantity > Decimal(0)) return std::nullopt;
    refuse("No hay nada que facturar...");
    return FormField::Lines;
}

std::optional<FormField> SpaReservation::save() {
    if (m_mode == FormMode::Consult) return std::nullopt;
    if (auto focus = validate()) return focus;
    BookingRequest r{m_business, m_user, header, lines, m_mode == FormMode::New};
    const BookingResult out = book_reservation(m_db, r);
    if (out.status != BookingStatus::Saved) {
        refuse(out.message);
        return out.status == BookingStatus::OverCapacity ? FormField::Start : FormField::Room;
    }
    const bool created = m_mode == FormMode::New;
    load(out.code, FormMode::Modify);
    if (!created) return std::nullopt;
    m_port.message(MsgStyle::Aviso, "Confirmación", "Número de Reservación asignado: " + out.code);
    if (!header.email.empty() && mails_confirmation(m_db, m_business) && send_confirmation &&
        send_confirmation(*this))
        m_port.message(MsgStyle::Aviso, "Confirmación", "Confirmación de Reserva enviada con exito.");
    return std::nullopt;
}

}  // namespace qz::domain::spa
