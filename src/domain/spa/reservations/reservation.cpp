#include "domain/spa/reservations/reservation.h"

#include "core/text.h"
#include "data/table_ops.h"
#include "domain/pos/sale_price_lists.h"
#include "domain/spa/master/spa_params.h"
#include "domain/spa/master/spa_rooms.h"
#include "domain/spa/reservations/booking.h"
#include "domain/spa/reservations/capacity.h"
#include "domain/spa/reservations/confirmation.h"
#include "domain/spa/reservations/form_lists.h"
#include "domain/spa/reservations/reservation_row.h"

namespace qz::domain::spa {

bool mails_confirmation(data::Db& db, const std::string& business) {
    return read_spa_params(db, business, nullptr).mail_on_create;
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
    m_saved_room.clear();
    m_bad_date = false;
}

void SpaReservation::type_date(std::string_view text) {
    const auto d = typed_date(text);
    m_bad_date = !d;
    header.date = d.value_or(Date{});
}

bool SpaReservation::load(const std::string& code, FormMode mode) {
    auto t = data::USE(m_db, "SPA_RESE", "SPA_RESE");
    const bool found = t->Seek(reservation_key(m_business, code));
    if (found) header = reservation_from_row(*t);
    data::KILLTABLA(m_db, t);
    if (!found) return false;
    lines.clear();
    auto d = data::USE(m_db, "SPA_RESD", "SPA_RESD");
    const std::string key = reservation_lines_key(m_business, header.code);
    d->SetScope(key, key);
    for (d->GoTop(); !d->Eof(); d->Skip()) {
        SpaLine l = line_from_row(*d);
        l.recno = d->RecNo();
        if (auto a = find_article(m_db, m_business, l.article)) l.description = a->description;
        lines.push_back(l);
    }
    data::KILLTABLA(m_db, d);
    // A cancelled or invoiced reservation is shown, never changed.
    m_mode = mode == FormMode::Modify && header.state != kActive ? FormMode::Consult : mode;
    m_saved_date = header.date;
    m_saved_room = header.room;
    m_bad_date = false;
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
    const auto p = pos::lookup_base_price(m_db, m_business, l.article, header.price_type, customer);
    l.price = p ? p->price : Decimal(0);
    l.price_origin = p && p->customer ? kCustomerPrice : kPriceList;
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

std::optional<FormField> SpaReservation::validate() {
    const SpaHeader& h = header;
    const Date today = m_db.clock().XDATE();
    if (trim(h.name).empty() && refuse("El Nombre es requerido...")) return FormField::Name;
    if (m_bad_date && refuse(kBadDateText)) return FormField::Date;
    if (h.date.empty() && refuse("La fecha es requerida...")) return FormField::Date;
    if (h.start.empty() && refuse("La hora inicial es requerida...")) return FormField::Start;
    if (h.end.empty() && refuse("La hora final es requerida...")) return FormField::End;
    if (h.end <= h.start &&
        refuse("La hora final no puede ser menor o igual a la hora inicial."))
        return FormField::End;
    if (h.persons <= 0 && refuse("El Número de Personas es requerido..."))
        return FormField::Persons;
    if (h.room.empty() && refuse("La sala es requerida...")) return FormField::Room;
    // The confirmation goes to this address: one that cannot be delivered is refused here, as
    // the mail settings refuse theirs, instead of waiting in the queue for nobody.
    if (!trim(h.email).empty() && !valid_email(h.email) &&
        refuse("email inválido: " + trim(h.email)))
        return FormField::Email;
    if (m_mode == FormMode::New && h.date < today &&
        refuse("No está permitido crear Reservaciones con fecha anterior a la actual..."))
        return FormField::Date;
    if (m_mode == FormMode::Modify && h.date != m_saved_date && h.date < today &&
        refuse("No está permitido modificar la fecha de la reserva a una fecha anterior a la "
               "actual..."))
        return FormField::Date;
    const auto room = read_room(m_db, m_business, h.room);
    if (!room && refuse("La sala es requerida...")) return FormField::Room;
    if (room->blocked && (m_mode == FormMode::New || h.room != m_saved_room) &&
        refuse(kRoomBlocked))
        return FormField::Room;
    const int capacity = static_cast<int>(room->capacity);
    if (h.persons > capacity && refuse(kOverRoomCapacity)) return FormField::Persons;
    // A first look without the room's lock, so the user hears of a full room before saving;
    // saving weighs it again while holding the lock.
    const auto others = room_day_bookings(m_db, m_business, h.room, h.date,
                                          m_mode == FormMode::New ? "" : h.code);
    const Peak peak = peak_persons(others, h.start, h.end, h.persons);
    if (peak.persons > capacity && peak.holder && refuse(capacity_refusal(*peak.holder)))
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
        if (out.status == BookingStatus::Closed) return FormField::Name;
        return out.status == BookingStatus::OverCapacity ? FormField::Start : FormField::Room;
    }
    const bool created = m_mode == FormMode::New;
    load(out.code, FormMode::Modify);
    if (!created) return std::nullopt;
    m_port.message(MsgStyle::Aviso, "Confirmación", "Número de Reservación asignado: " + out.code);
    if (!header.email.empty() && mails_confirmation(m_db, m_business) && send_confirmation &&
        send_confirmation(*this))
        m_port.message(MsgStyle::Aviso, "Confirmación",
                       std::string(kConfirmQueued) + "\r\nDestino: " + header.email);
    return std::nullopt;
}

}  // namespace qz::domain::spa
