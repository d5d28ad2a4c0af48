#pragma once
// Calendar dates without time zone. A Date may be empty (the blank date of a record that has none);
// empty dates sort before every real date and format as blanks.
#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace qz {

class Date {
public:
    constexpr Date() = default;  // empty
    // Throws std::invalid_argument for an impossible day.
    Date(int year, int month, int day);

    static Date from_serial(long serial);  // days since 0001-01-01 (proleptic Gregorian)
    // "YYYYMMDD" as stored and keyed; blanks or "" give an empty date; nullopt when malformed.
    static std::optional<Date> from_dtos(std::string_view s);
    // "dd/mm/yy" (epoch 1980: yy 80..99 -> 19yy, 00..79 -> 20yy) or "dd/mm/yyyy".
    static std::optional<Date> from_ctod(std::string_view s);
    static bool valid(int year, int month, int day);
    static int days_in_month(int year, int month);

    constexpr bool empty() const { return m_serial == 0; }
    int year() const;
    int month() const;
    int day() const;
    // 1 = Sunday ... 7 = Saturday, as the reports print weekdays. 0 for an empty date.
    int dow() const;
    long serial() const { return m_serial; }

    // "YYYYMMDD", or eight blanks when empty (the key form).
    std::string dtos() const;
    // "dd/mm/yy", or "  /  /  " when empty (the screen form).
    std::string dtoc() const;
    // "dd/mm/yyyy"
    std::string dtoc4() const;
    // "YYYY-MM-DD" for SQL and ISO consumers; "" when empty.
    std::string iso() const;

    Date add_days(long n) const;
    // Same day of month n months later (or earlier), clamped to the month's last day.
    Date add_months(int n) const;
    // this - other in days; both must be non-empty.
    long operator-(const Date& other) const { return m_serial - other.m_serial; }
    Date operator+(long n) const { return add_days(n); }
    Date operator-(long n) const { return add_days(-n); }

    constexpr auto operator<=>(const Date&) const = default;
    constexpr bool operator==(const Date&) const = default;

private:
    long m_serial = 0;  // 0 = empty; 1 = 0001-01-01
};

// What the calendar answers a typed date that is no day; every date field says the same.
inline constexpr const char* kBadDateText = "La fecha no es válida: use dd/mm/aaaa";
// A date as typed into a "dd/mm/aaaa" field: nothing but blanks and separators is no date (an
// empty Date); a day of the calendar with a year of two or four digits is that day; anything else
// (31/02/2027, 00/00/0000, a year typed in part) is nullopt.
std::optional<Date> typed_date(std::string_view text);

// The reference date of newest-first keys: 01/01/2090.
Date date_2090();
// Number of days from the date to 01/01/2090 (an empty date counts as day 0 of the calendar).
long days_to_2090(const Date& d);

}  // namespace qz
