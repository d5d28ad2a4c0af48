#include "data/value.h"

#include "core/text.h"

namespace qz::data {

Value blank_value(const FieldDef& f) {
    switch (f.kind) {
        case FieldKind::N:
            return Decimal();
        case FieldKind::D:
            return Date();
        case FieldKind::L:
            return false;
        case FieldKind::C:
            return std::string(static_cast<size_t>(f.width), ' ');
        default:
            return std::string();
    }
}

namespace {

[[noreturn]] void kind_error(const FieldDef& f) {
    throw DbError("Tipo de dato incorrecto para el campo " + f.name);
}

Decimal fit_number(const FieldDef& f, const Decimal& d) {
    Decimal r = d.round(f.decimals);
    Decimal limit = Decimal::from_raw(Decimal::pow10(Decimal::kScale + f.width - f.decimals));
    if (r.abs() >= limit)
        throw DbError("El valor " + d.to_string() + " no cabe en el campo " + f.name);
    return r;
}

}  // namespace

Value coerce(const FieldDef& f, const Value& v) {
    switch (f.kind) {
        case FieldKind::N:
            if (auto* d = std::get_if<Decimal>(&v)) return fit_number(f, *d);
            if (auto* b = std::get_if<bool>(&v)) return Decimal(*b ? 1 : 0);
            kind_error(f);
        case FieldKind::D:
            if (auto* d = std::get_if<Date>(&v)) return *d;
            if (auto* s = std::get_if<std::string>(&v)) {
                auto d = Date::from_dtos(trim(*s));
                if (!d) d = Date::from_ctod(*s);
                if (d) return *d;
            }
            kind_error(f);
        case FieldKind::L:
            if (auto* b = std::get_if<bool>(&v)) return *b;
            if (auto* d = std::get_if<Decimal>(&v)) return !d->is_zero();
            kind_error(f);
        case FieldKind::C:
        case FieldKind::T:
            if (auto* s = std::get_if<std::string>(&v))
                return pad_right(rtrim(*s), static_cast<size_t>(f.width));
            kind_error(f);
        case FieldKind::M:
            if (auto* s = std::get_if<std::string>(&v)) return *s;
            kind_error(f);
    }
    kind_error(f);
}

SqlValue to_sql(const FieldDef& f, const Value& v, Dialect d) {
    switch (f.kind) {
        case FieldKind::N: {
            const Decimal& n = std::get<Decimal>(v);
            if (d == Dialect::SQLite) return static_cast<int64_t>(n.to_scaled(f.decimals));
            return n.to_string(f.decimals);
        }
        case FieldKind::D:
            return trim(std::get<Date>(v).dtos());
        case FieldKind::L:
            return static_cast<int64_t>(std::get<bool>(v) ? 1 : 0);
        case FieldKind::M:
            return std::get<std::string>(v);
        default:
            return rtrim(std::get<std::string>(v));
    }
}

Value from_sql(const FieldDef& f, const Statement& st, int col, Dialect d) {
    if (st.is_null(col)) return blank_value(f);
    switch (f.kind) {
        case FieldKind::N:
            if (d == Dialect::SQLite) return Decimal::from_scaled(st.int_at(col), f.decimals);
            return Decimal::parse(st.text_at(col));
        case FieldKind::D: {
            auto date = Date::from_dtos(st.text_at(col));
            return date ? *date : Date();
        }
        case FieldKind::L:
            return d == Dialect::SQLite ? st.int_at(col) != 0 : st.text_at(col) == "1";
        case FieldKind::M:
            return st.text_at(col);
        default:
            return pad_right(st.text_at(col), static_cast<size_t>(f.width));
    }
}

std::string value_text(const FieldDef& f, const Value& v) {
    switch (f.kind) {
        case FieldKind::N:
            return std::get<Decimal>(v).to_string(f.decimals);
        case FieldKind::D:
            return std::get<Date>(v).dtoc();
        case FieldKind::L:
            return std::get<bool>(v) ? ".T." : ".F.";
        default:
            return std::get<std::string>(v);
    }
}

}  // namespace qz::data
