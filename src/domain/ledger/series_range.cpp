#include "domain/ledger/series_range.h"

#include <algorithm>
#include <optional>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"

namespace qz::domain {

namespace {

// The form takes eight digits ("99999999"); blank is 0.
bool read_digits(const std::string& typed, long long& out) {
    const std::string t = trim(typed);
    out = 0;
    if (t.size() > 8) return false;
    if (!std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    out = t.empty() ? 0 : std::stoll(t);
    return true;
}

bool inside(long long n, long long from, long long to) { return n >= from && n <= to; }

// The first other active series of the MUTUO group whose range [NUMERO, NUMERO2 - 1] holds the
// new first number - 1 or the new last number: both would hand out the same numbers.
std::string mutuo_conflict(data::Db& db, const std::string& business,
                           data::WDBTable& self, long long first, long long last) {
    const std::string group = trim(self.str("MUTUO"));
    if (group.empty()) return "";
    data::UseOptions o;
    o.order = "SERIAL2";
    o.read_only = true;
    auto t = data::USE(db, "SERIALES", o);
    const std::string key = data::order_key("SERIALES", "SERIAL2", {business, group});
    t->SetScope(key, key);
    std::string why;
    for (t->GoTop(); !t->Eof() && why.empty(); t->Skip()) {
        if (t->RecNo() == self.RecNo() || t->num("INACTIVO").to_int() == 1) continue;
        const long long from = t->num("NUMERO").to_int(), to = t->num("NUMERO2").to_int() - 1;
        if (inside(first - 1, from, to) || inside(last, from, to))
            why = "Hay conflicto de Consecutivos con el Serial: " + trim(t->str("DESCRIP"));
    }
    data::KILLTABLA(db, t);
    return why;
}

// The number of the series that `document` is, when it is one.
std::optional<long long> number_of(const data::WDBTable& series, const std::string& document) {
    const std::string prefix = trim(series.str("PREFIJO")), suffix = trim(series.str("POSFIJO"));
    if (document.size() < prefix.size() + suffix.size() + 1) return std::nullopt;
    if (document.compare(document.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
    const std::string digits =
        document.substr(prefix.size(), document.size() - prefix.size() - suffix.size());
    if (digits.size() > 18 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const long long n = std::stoll(digits);
    if (format_serial(series, n) != document) return std::nullopt;  // padded otherwise
    return n;
}

// The lowest number of [first, last] that a document of the business already has. One walk
// over the documents that begin with the prefix, however wide the range is.
std::string existing_document(data::Db& db, const std::string& business,
                              const data::WDBTable& series, long long first, long long last) {
    data::UseOptions o;
    o.order = "DOCUMENT";
    o.read_only = true;
    auto t = data::USE(db, "DOCUMENT", o);
    const std::string key = data::order_key_prefix("DOCUMENT", "DOCUMENT", {business},
                                                   trim(series.str("PREFIJO")));
    t->SetScope(key, key);
    std::optional<long long> lowest;
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const auto n = number_of(series, trim(t->str("DOCUMENTO")));
        if (n && inside(*n, first, last) && (!lowest || *n < *lowest)) lowest = n;
    }
    data::KILLTABLA(db, t);
    if (!lowest) return "";
    return "El Documento: " + format_serial(series, *lowest) + " ya se encuentra creado!";
}

std::string range_problem(data::Db& db, const std::string& business, data::WDBTable& series,
                          long long first, long long last) {
    if (last < 1) return kNoLastSerial;
    if (auto why = mutuo_conflict(db, business, series, first, last); !why.empty()) return why;
    return existing_document(db, business, series, first, last);
}

bool refuse(UserPort& port, const std::string& text) {
    port.message(MsgStyle::Error, "Error", text);
    return false;
}

}  // namespace

bool MOD_SERI(data::Db& db, UserPort& port, const std::string& business, const std::string& code,
              const SeriesRange& range) {
    long long first = 0, last = 0;
    if (!read_digits(range.next, first) || !read_digits(range.last, last))
        return refuse(port, "Los números del rango deben tener solo dígitos (hasta 8)...");
    data::Transaction tx(db);
    auto t = data::USE(db, "SERIALES", "SERIALES");
    const std::string key = series_key(business, trim(code));
    bool locked = t->Seek(key);
    if (locked) data::LOCK_FOR_MODIFY(*t);
    std::string why = locked ? "" : "El Serial " + trim(code) + " ya no existe...";
    if (locked && !range.disabled) why = range_problem(db, business, *t, first, last);
    if (why.empty()) {
        t->FieldPut("NUMERO", Decimal(std::max(first - 1, 0LL)));
        t->FieldPut("NUMERO2", Decimal(last));
        t->FieldPut("INACTIVO", Decimal(range.disabled ? 1 : 0));
    }
    if (locked) data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return why.empty() ? true : refuse(port, why);
}

}  // namespace qz::domain
