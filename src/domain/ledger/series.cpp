#include "domain/ledger/series.h"

#include <algorithm>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"

namespace qz::domain {

namespace {

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

std::string code_of(const std::string& typed) { return upper_ascii(trim(typed)); }

std::string too_wide(const std::string& subject, const std::string& text, const char* field) {
    const size_t width = data::field_width("SERIALES", field);
    if (utf8_length(text) <= width) return "";
    return subject + " admite " + std::to_string(width) + " caracteres...";
}

// A whole number typed into the form: blank is 0; a sign, a fraction or more digits than its
// field holds are refused, never cut.
std::string read_whole(const std::string& typed, const std::string& subject, const char* field,
                       long long& out) {
    const std::string t = trim(typed);
    out = 0;
    if (t.empty()) return "";
    if (t[0] == '-') return subject + " no puede ser negativo...";
    if (!std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return subject + " debe ser un número entero...";
    const size_t digits = data::field_width("SERIALES", field);
    const std::string significant = t.substr(std::min(t.find_first_not_of('0'), t.size()));
    if (significant.size() > digits)
        return subject + " admite " + std::to_string(digits) + " dígitos...";
    out = significant.empty() ? 0 : std::stoll(significant);
    return "";
}

size_t digit_count(long long n) { return std::to_string(n).size(); }

// The widest number the series will write, with its prefix and suffix, must fit the 15
// characters of a document number: a cut one would repeat numbers already issued.
std::string width_problem(const Series& s) {
    const long long highest = std::max(s.limit, s.number + 1);
    size_t digits = digit_count(highest);
    if (!s.unpadded) digits = std::max(digits, static_cast<size_t>(s.indent));
    if (utf8_length(s.prefix) + digits + utf8_length(s.suffix) <= 15) return "";
    return "El número con su Prefijo y su Posfijo no cabe en 15 caracteres...";
}

std::string check_texts(const SeriesInput& in, Series& s) {
    s.code = code_of(in.code);
    s.name = trim(in.name);
    s.module = trim(in.module);
    s.prefix = trim(in.prefix);
    s.suffix = trim(in.suffix);
    s.mutuo = code_of(in.mutuo);
    if (s.code.empty()) return "El código del Serial es requerido...";
    if (auto p = too_wide("El código del Serial", s.code, "CODIGO"); !p.empty()) return p;
    if (s.name.empty()) return "La descripción del Serial es requerida...";
    if (auto p = too_wide("La descripción del Serial", s.name, "DESCRIP"); !p.empty()) return p;
    const auto& m = series_modules();
    if (std::none_of(m.begin(), m.end(), [&](const auto& e) { return e.first == s.module; }))
        return "Debe escoger el Módulo del Serial...";
    if (auto p = too_wide("El Prefijo", s.prefix, "PREFIJO"); !p.empty()) return p;
    if (auto p = too_wide("El Posfijo", s.suffix, "POSFIJO"); !p.empty()) return p;
    return too_wide("El Mutuo", s.mutuo, "MUTUO");
}

}  // namespace

std::string series_gone(const std::string& code) {
    return "El Serial " + code + " ya no existe...";
}

const std::vector<std::pair<std::string, std::string>>& series_modules() {
    static const std::vector<std::pair<std::string, std::string>> modules = {
        {"00", "Contabilidad"},  {"01", "Inventario  "},      {"02", "Facturación "},
        {"03", "Cuentas por Cobrar"}, {"04", "Cheques "},     {"05", "Cuentas por Pagar"},
        {"06", "Planillas "},    {"07", "Bancos "},           {"08", "Activos Fijos"},
        {"09", "Hotelería   "},  {"10", "Punto Ventas"},      {"11", "Tiempo Compartido"},
        {"12", "Eventos"}};
    return modules;
}

std::string module_label(const std::string& module) {
    for (const auto& [code, label] : series_modules())
        if (code == trim(module)) return label;
    return trim(module);
}

Series series_from_row(const data::WDBTable& t) {
    Series s;
    s.code = trim(t.str("CODIGO"));
    s.name = trim(t.str("DESCRIP"));
    s.module = trim(t.str("MODULO"));
    s.number = t.num("NUMERO").to_int();
    s.limit = t.num("NUMERO2").to_int();
    s.prefix = trim(t.str("PREFIJO"));
    s.suffix = trim(t.str("POSFIJO"));
    s.indent = static_cast<long>(t.num("INDENT").to_int());
    s.unpadded = t.num("JUSTIFICA").to_int() == 1;
    s.mutuo = trim(t.str("MUTUO"));
    s.disabled = t.num("INACTIVO").to_int() == 1;
    s.current = trim(t.str("CURRENT_N"));
    s.user = trim(t.str("USUARIO"));
    return s;
}

void put_series_row(data::WDBTable& t, const std::string& business, const Series& s) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("USUARIO", s.user);
    t.FieldPut("CODIGO", s.code);
    t.FieldPut("DESCRIP", s.name);
    t.FieldPut("MODULO", s.module);
    t.FieldPut("NUMERO", Decimal(s.number));
    t.FieldPut("NUMERO2", Decimal(s.limit));
    t.FieldPut("PREFIJO", s.prefix);
    t.FieldPut("POSFIJO", s.suffix);
    t.FieldPut("INDENT", Decimal(s.indent));
    t.FieldPut("JUSTIFICA", Decimal(s.unpadded ? 1 : 0));
    t.FieldPut("MUTUO", s.mutuo);
    t.FieldPut("INACTIVO", Decimal(s.disabled ? 1 : 0));
}

std::vector<Series> business_series(data::Db& db, const std::string& business) {
    data::UseOptions o;
    o.order = "SERIAL3";
    o.read_only = true;
    auto t = data::USE(db, "SERIALES", o);
    const std::string key = data::business_key(business);
    t->SetScope(key, key);
    std::vector<Series> out;
    for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(series_from_row(*t));
    data::KILLTABLA(db, t);
    return out;
}

std::optional<Series> read_series(data::Db& db, const std::string& business,
                                  const std::string& code) {
    auto t = data::USE(db, "SERIALES", "SERIAL4");
    std::optional<Series> s;
    if (t->Seek(data::order_key("SERIALES", "SERIAL4", {business, code_of(code)})))
        s = series_from_row(*t);
    data::KILLTABLA(db, t);
    return s;
}

std::string check_series(const SeriesInput& in, Series& s) {
    if (auto p = check_texts(in, s); !p.empty()) return p;
    long long indent = 0;
    if (auto p = read_whole(in.number, "El Número actual", "NUMERO", s.number); !p.empty())
        return p;
    if (auto p = read_whole(in.limit, "El Límite", "NUMERO2", s.limit); !p.empty()) return p;
    if (auto p = read_whole(in.indent, "El Ancho del número", "INDENT", indent); !p.empty())
        return p;
    if (indent > 15) return "El Ancho del número no puede pasar de 15...";
    s.indent = static_cast<long>(indent);
    s.unpadded = in.unpadded;
    s.disabled = in.disabled;
    if (s.limit != 0 && s.limit < s.number)
        return "El Límite no puede ser menor que el Número actual...";
    return width_problem(s);
}

bool add_series(data::Db& db, UserPort& port, const std::string& business, const SeriesInput& in) {
    Series s;
    if (auto p = check_series(in, s); !p.empty()) return refuse(port, p);
    if (read_series(db, business, s.code)) return refuse(port, kSeriesDuplicate);
    data::Transaction tx(db);
    auto t = data::USE(db, "SERIALES", "SERIALES");
    data::ADD_NEW_REC(*t);
    put_series_row(*t, business, s);
    if (s.number > 0) t->FieldPut("CURRENT_N", format_serial(*t, s.number));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

namespace {

bool lock_series_row(data::WDBTable& t, const std::string& key) {
    if (!t.Seek(key)) return false;
    data::LOCK_FOR_MODIFY(t);
    if (!t.Eof() && !t.Deleted() && starts_with(t.CurrentKey(), key)) return true;
    data::UNLOCK_FOR_MODIFY(t);
    return false;
}

}  // namespace

bool modify_series(data::Db& db, UserPort& port, const std::string& business,
                   const Series& before, const SeriesInput& in) {
    SeriesInput fixed = in;
    fixed.code = before.code;  // the code names the series in concepts and settings
    Series s;
    if (auto p = check_series(fixed, s); !p.empty()) return refuse(port, p);
    s.user = before.user;
    data::Transaction tx(db);
    auto t = data::USE(db, "SERIALES", "SERIALES");
    if (!lock_series_row(*t, series_key(business, before.code, before.user))) {
        data::KILLTABLA(db, t);
        tx.commit();  // nothing was written
        return refuse(port, series_gone(before.code));
    }
    const Series stored = series_from_row(*t);
    // Numbers drawn while the form was open stay drawn: going back would issue them again.
    if (s.number == before.number) s.number = stored.number;
    if (s.limit != 0 && s.limit < s.number) {
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        tx.commit();
        return refuse(port, "El Límite no puede ser menor que el Número actual...");
    }
    put_series_row(*t, business, s);
    if (s.number != stored.number)
        t->FieldPut("CURRENT_N", s.number > 0 ? format_serial(*t, s.number) : std::string());
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool delete_series(data::Db& db, UserPort& port, const std::string& business,
                   const std::string& code) {
    const auto s = read_series(db, business, code);
    if (!s) return refuse(port, series_gone(code_of(code)));
    if (!port.confirm("Advertencia", "Desea borrar el Serial?")) return false;
    data::Transaction tx(db);
    auto t = data::USE(db, "SERIALES", "SERIALES");
    const bool found = lock_series_row(*t, series_key(business, s->code, s->user));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    if (!found) return refuse(port, series_gone(s->code));
    return true;
}

}  // namespace qz::domain
