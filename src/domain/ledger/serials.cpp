#include "domain/ledger/serials.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain {

namespace {

constexpr size_t kSerialWidth = 15;

// Seeks the business-wide series; leaves the handle on it when found.
bool seek_series(data::WDBTable& t, const std::string& business, const std::string& code) {
    t.SetOrder("SERIALES");
    return t.Seek(data::order_key("SERIALES", "SERIALES", {business, "", code}));
}

std::string format_next(const data::WDBTable& t) {
    std::string n = std::to_string(t.num("NUMERO").to_int() + 1);
    const long indent = t.num("INDENT").to_int();
    if (t.num("JUSTIFICA").to_int() == 0)
        while (static_cast<long>(n.size()) < indent) n.insert(n.begin(), '0');
    return trim(t.str("PREFIJO")) + n + trim(t.str("POSFIJO"));
}

// Cut by characters: a byte cut could split an accented letter of the prefix.
std::string fit(const std::string& s) { return pad_right(s, kSerialWidth); }

}  // namespace

std::string GET_NXSERIAL(data::Db& db, const std::string& business, const std::string& code,
                         data::WDBTable* series) {
    data::Table own;
    if (!series) {
        own = data::USE(db, "SERIALES", "SERIALES");
        series = own.get();
    }
    std::string result = kNoSerial;
    if (seek_series(*series, business, code)) {
        data::LOCK_FOR_MODIFY(*series);  // re-reads NUMERO now that nobody else can move it
        result = format_next(*series);
        series->FieldPut("NUMERO", series->num("NUMERO") + Decimal(1));
        series->FieldPut("CURRENT_N", result);
        data::UNLOCK_FOR_MODIFY(*series);
    }
    if (own) data::KILLTABLA(db, own);
    return fit(result);
}

std::string GET_CURRENTSERIAL(data::Db& db, const std::string& business, const std::string& code) {
    auto t = data::USE(db, "SERIALES", "SERIALES");
    std::string result = seek_series(*t, business, code) ? format_next(*t) : kNoSerial;
    data::KILLTABLA(db, t);
    return fit(result);
}

}  // namespace qz::domain
