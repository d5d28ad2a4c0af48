// What users type into number and date fields: pictures, dates and times never crash, and a
// number that parses formats back to the same value.
#include <cstdint>
#include <string>

#include "core/date.h"
#include "core/datetime_text.h"
#include "core/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string s(reinterpret_cast<const char*>(data), size);
    static const char* pictures[] = {"999,999,999.99", "@E 999,999.99", "99.99", "9999",
                                     "@Z 99,999,999.99", "999,999.99999"};
    for (const char* pic : pictures) {
        qz::Decimal d;
        if (qz::pic_parse(s, pic, d)) {
            qz::Decimal back;
            if (!qz::pic_parse(qz::pic_format(d, pic), pic, back) && !d.is_zero()) __builtin_trap();
        }
    }
    (void)qz::Date::from_ctod(s);
    (void)qz::Date::from_dtos(s);
    (void)qz::TIME_TO_S(s);
    (void)qz::ALTER_TIME(s, static_cast<int>(size) - 64);
    (void)qz::UP_LOW(s);
    return 0;
}
