#include "data/catalogue.h"

#include <stdexcept>

#include "core/text.h"

namespace qz::data {

namespace {
KeyPart part(KeyPart::Kind kind, const std::string& field, int width = 0, std::string expr = {}) {
    KeyPart p;
    p.kind = kind;
    p.field = upper_ascii(field);
    p.width = width;
    p.expr = std::move(expr);
    return p;
}
}  // namespace

KeyPart kf(const std::string& field) { return part(KeyPart::Kind::Field, field); }
KeyPart kup(const std::string& field) { return part(KeyPart::Kind::Upper, field); }
KeyPart kd(const std::string& field) { return part(KeyPart::Kind::Date, field, 8); }
KeyPart kn(const std::string& field, int width) { return part(KeyPart::Kind::Number, field, width); }
KeyPart kinv(const std::string& field) { return part(KeyPart::Kind::Days2090, field, 14); }
KeyPart kx(const std::string& sql_expr, int width) {
    return part(KeyPart::Kind::Expr, "", width, sql_expr);
}

int OrderDef::key_width() const {
    int w = 0;
    for (const auto& p : parts) w += p.width;
    return w;
}

static TableDef& add_field(TableDef& t, std::vector<FieldDef>& fields, const std::string& name,
                           FieldKind kind, int width, int decimals) {
    std::string up = upper_ascii(name);
    if (up.empty() || up.size() > 10)
        throw std::logic_error("nombre de campo inválido: " + t.name() + "." + name);
    for (const auto& f : fields)
        if (f.name == up) throw std::logic_error("campo repetido: " + t.name() + "." + up);
    fields.push_back({up, kind, width, decimals});
    return t;
}

TableDef& TableDef::C(const std::string& n, int w) {
    return add_field(*this, m_fields, n, FieldKind::C, w, 0);
}
TableDef& TableDef::N(const std::string& n, int w, int d) {
    if (d < 0 || d > 8 || w < 1 || w > 30) throw std::logic_error("ancho numérico inválido: " + n);
    return add_field(*this, m_fields, n, FieldKind::N, w, d);
}
TableDef& TableDef::D(const std::string& n) { return add_field(*this, m_fields, n, FieldKind::D, 8, 0); }
TableDef& TableDef::L(const std::string& n) { return add_field(*this, m_fields, n, FieldKind::L, 1, 0); }
TableDef& TableDef::M(const std::string& n) { return add_field(*this, m_fields, n, FieldKind::M, 0, 0); }
TableDef& TableDef::T(const std::string& n) { return add_field(*this, m_fields, n, FieldKind::T, 8, 0); }

TableDef& TableDef::order(const std::string& tag, std::vector<KeyPart> parts, bool unique) {
    OrderDef o{upper_ascii(tag), std::move(parts), unique};
    if (find_order(o.tag)) throw std::logic_error("orden repetido: " + m_name + "." + o.tag);
    for (auto& p : o.parts) {
        if (p.kind == KeyPart::Kind::Expr) continue;
        const FieldDef* f = field(p.field);
        if (!f) throw std::logic_error("orden " + m_name + "." + o.tag + ": falta campo " + p.field);
        if (p.kind == KeyPart::Kind::Field || p.kind == KeyPart::Kind::Upper) p.width = f->width;
        if ((p.kind == KeyPart::Kind::Date || p.kind == KeyPart::Kind::Days2090) &&
            f->kind != FieldKind::D)
            throw std::logic_error("orden " + m_name + "." + o.tag + ": no es fecha " + p.field);
        if (p.kind == KeyPart::Kind::Number && f->kind != FieldKind::N)
            throw std::logic_error("orden " + m_name + "." + o.tag + ": no es número " + p.field);
        if ((p.kind == KeyPart::Kind::Field || p.kind == KeyPart::Kind::Upper) &&
            (f->kind == FieldKind::N || f->kind == FieldKind::M || f->kind == FieldKind::D))
            throw std::logic_error("orden " + m_name + "." + o.tag + ": campo " + p.field +
                                   " necesita kd/kn/kinv");
    }
    m_orders.push_back(std::move(o));
    return *this;
}

const FieldDef* TableDef::field(const std::string& name) const {
    std::string up = upper_ascii(name);
    for (const auto& f : m_fields)
        if (f.name == up) return &f;
    return nullptr;
}

int TableDef::field_pos(const std::string& name) const {
    std::string up = upper_ascii(name);
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name == up) return static_cast<int>(i) + 1;
    return 0;
}

const OrderDef* TableDef::find_order(const std::string& tag) const {
    std::string up = upper_ascii(tag);
    for (const auto& o : m_orders)
        if (o.tag == up) return &o;
    return nullptr;
}

TableDef TableDef::renamed(const std::string& name, bool is_template) const {
    TableDef t = *this;
    t.m_name = upper_ascii(name);
    t.m_template = is_template;
    return t;
}

void Catalogue::add(TableDef def) {
    std::string key = upper_ascii(def.name());
    if (m_tables.count(key)) throw std::logic_error("tabla repetida en el catálogo: " + key);
    m_order.push_back(key);
    m_tables.emplace(key, std::move(def));
}

const TableDef* Catalogue::find(const std::string& name) const {
    auto it = m_tables.find(upper_ascii(name));
    return it == m_tables.end() ? nullptr : &it->second;
}

const Catalogue& Catalogue::instance() {
    static const Catalogue cat = [] {
        Catalogue c;
        declare_all_tables(c);
        return c;
    }();
    return cat;
}

}  // namespace qz::data
