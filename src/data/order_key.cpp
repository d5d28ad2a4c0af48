#include "data/order_key.h"

#include <stdexcept>

#include "core/text.h"
#include "data/catalogue.h"

namespace qz::data {

namespace {

[[noreturn]] void fault(const std::string& table, const std::string& order,
                        const std::string& why) {
    throw std::logic_error("clave de " + table + "." + order + ": " + why);
}

const OrderDef& find(const std::string& table, const std::string& order) {
    const TableDef* t = Catalogue::instance().find(table);
    if (!t) fault(table, order, "tabla desconocida");
    const OrderDef* o = t->find_order(order);
    if (!o) fault(table, order, "orden desconocido");
    return *o;
}

std::string text_part(const KeyPart& p, const std::string& v) {
    const std::string padded = pad_right(v, static_cast<size_t>(p.width));
    return p.kind == KeyPart::Kind::Upper ? upper_ascii(padded) : padded;
}

std::string date_part(const KeyPart& p, const Date& d) {
    if (p.kind == KeyPart::Kind::Date) return d.empty() ? std::string(8, ' ') : d.dtos();
    return pad_left(std::to_string(days_to_2090(d)), static_cast<size_t>(p.width), '0');
}

// One part's characters, exactly as the database's generated column has them.
std::string part_text(const std::string& table, const std::string& order, const KeyPart& p,
                      const KeyValue& v) {
    using K = KeyPart::Kind;
    switch (p.kind) {
        case K::Field:
        case K::Upper:
        case K::Expr:
            if (auto* s = std::get_if<std::string>(&v)) return text_part(p, *s);
            break;
        case K::Date:
        case K::Days2090:
            if (auto* d = std::get_if<Date>(&v)) return date_part(p, *d);
            break;
        case K::Number:
            if (auto* n = std::get_if<long long>(&v)) return str_int(*n, p.width);
            break;
    }
    fault(table, order, "valor de otra clase para " + (p.field.empty() ? p.expr : p.field));
}

std::string leading(const std::string& table, const std::string& order,
                    std::initializer_list<KeyValue> parts, bool room_for_more) {
    const OrderDef& o = find(table, order);
    if (parts.size() + (room_for_more ? 1 : 0) > o.parts.size())
        fault(table, order, "más valores que partes");
    std::string key;
    size_t i = 0;
    for (const KeyValue& v : parts) key += part_text(table, order, o.parts[i++], v);
    return key;
}

}  // namespace

std::string order_key(const std::string& table, const std::string& order,
                      std::initializer_list<KeyValue> parts) {
    return leading(table, order, parts, false);
}

std::string order_key_prefix(const std::string& table, const std::string& order,
                             std::initializer_list<KeyValue> parts, const std::string& partial) {
    return leading(table, order, parts, true) + partial;
}

std::string business_key(const std::string& business) {
    return pad_right(trim(business), kBusinessWidth);
}

size_t field_width(const std::string& table, const std::string& field) {
    const TableDef* t = Catalogue::instance().find(table);
    const FieldDef* f = t ? t->field(field) : nullptr;
    if (!f) throw std::logic_error("campo desconocido: " + table + "." + field);
    return static_cast<size_t>(f->width);
}

}  // namespace qz::data
