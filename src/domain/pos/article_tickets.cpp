#include "domain/pos/article_tickets.h"

#include <stdexcept>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"

namespace qz::domain::pos {

namespace {

using U128 = unsigned __int128;

constexpr size_t kMaxDigits = 38;  // below 2^127: squares of the guesses stay in range

U128 parse_digits(const std::string& digits) {
    if (digits.empty() || digits.size() > kMaxDigits)
        throw std::invalid_argument("número de control fuera de rango: " + digits);
    U128 n = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            throw std::invalid_argument("número de control inválido: " + digits);
        n = n * 10 + static_cast<unsigned>(c - '0');
    }
    return n;
}

// Newton's method on integers: from a guess above the root it falls monotonically to ⌊√n⌋.
U128 isqrt(U128 n) {
    if (n < 2) return n;
    U128 x = n, y = (x + 1) / 2;
    while (y < x) {
        x = y;
        y = (x + n / x) / 2;
    }
    return x;
}

std::string to_text(U128 n) {
    if (n == 0) return "0";
    std::string out;
    for (; n > 0; n /= 10)
        out.insert(out.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
    return out;
}

std::string without(const std::string& text, char drop) {
    std::string out;
    for (char c : trim(text))
        if (c != drop) out += c;
    return out;
}

}  // namespace

std::string ticket_control_number(long copy, const std::string& time,
                                  const std::string& date_text) {
    const std::string digits = std::to_string(copy) + without(time, ':') + without(date_text, '/');
    return to_text(isqrt(parse_digits(digits)) + 100);
}

long ticket_count(const Decimal& quantity) {
    return quantity.sign() > 0 ? static_cast<long>(quantity.to_int()) : 0;
}

std::string ticket_printer_slot(data::Db& db, const std::string& business) {
    data::Table f = data::USE(db, "F_FAC", "F_FAC");
    const std::string slot =
        f->Seek(data::order_key("F_FAC", "F_FAC", {business})) ? trim(f->str("IMP_T")) : "";
    data::KILLTABLA(db, f);
    return slot;
}

std::string ticket_job_name(long copy) { return "Tiquete " + pad_left(std::to_string(copy), 3); }

}  // namespace qz::domain::pos
