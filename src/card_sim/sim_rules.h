#pragma once
// The rules both training networks follow, decided by the amount's cents and the card's last
// digits so that a cashier can rehearse every answer at the counter:
//   cents .99          insufficient funds
//   cents .98          the network's time-out reply, after QZ_CARD_SIM_DELAY seconds (0.2)
//   cents .97          a malformed reply
//   card ending 0002   card refused
//   anything else      approved
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace card_sim {

enum class Outcome { Approved, Insufficient, TimeOut, Malformed, Refused };

inline Outcome outcome(long long cents, const std::string& card) {
    switch (cents % 100) {
        case 99:
            return Outcome::Insufficient;
        case 98:
            return Outcome::TimeOut;
        case 97:
            return Outcome::Malformed;
        default:
            break;
    }
    const size_t n = card.size();
    if (n >= 4 && card.compare(n - 4, 4, "0002") == 0) return Outcome::Refused;
    return Outcome::Approved;
}

// The time a network takes to give up. Read without the locale: the program may run under a
// locale whose decimal separator is a comma.
inline void wait_for_time_out() {
    double seconds = 0.2;
    if (const char* v = std::getenv("QZ_CARD_SIM_DELAY"))
        std::from_chars(v, v + std::strlen(v), seconds);
    if (seconds > 0 && seconds < 600)
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Copies `text` into a caller's buffer of `size` bytes, cut to fit and NUL-terminated.
inline void fill(char* buf, size_t size, const std::string& text) {
    if (!buf || size == 0) return;
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    std::memcpy(buf, text.data(), n);
    buf[n] = '\0';
}

// A number that changes from call to call, for references, authorisations and traces: the
// library is unloaded after every call, so it cannot count.
inline std::string serial(int digits) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    unsigned long long v = static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::microseconds>(now).count());
    std::string s(static_cast<size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i, v /= 10) s[static_cast<size_t>(i)] = char('0' + v % 10);
    return s;
}

}  // namespace card_sim
