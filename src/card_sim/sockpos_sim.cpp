// The second network's training client. Replies: "00" approved, "51" insufficient funds, "05"
// refused, "91" time-out, "12" invalid void (no reference), "30" bad call; cents .97 answers
// with commas instead of ";". Closings report fixed totals.
#include <cctype>
#include <cstring>
#include <string>

#include "card_sim/sim_rules.h"
#include "services/terminals/card_abi.h"

namespace {

// "125.50" -> 12550; -1 when the text is not an amount of picture "999999999.99".
long long cents_of(const char* text) {
    if (!text) return -1;
    const char* dot = std::strchr(text, '.');
    if (!dot || std::strlen(dot) != 3 || dot == text) return -1;
    long long v = 0;
    for (const char* p = text; *p; ++p) {
        if (p == dot) continue;
        if (!std::isdigit(static_cast<unsigned char>(*p))) return -1;
        v = v * 10 + (*p - '0');
    }
    return v;
}

// code;message;terminal;date;reference;authorisation;trace
int reply_with(const std::string& code, const std::string& message, const char* terminal,
               const std::string& reference, const std::string& authorisation,
               const std::string& trace, char* reply, size_t reply_size) {
    const std::string text = code + ";" + message + ";" + terminal + ";20260520;" + reference +
                             ";" + authorisation + ";" + trace;
    card_sim::fill(reply, reply_size, text);
    return 0;
}

int closing(const char* terminal, const char* message, char* reply, size_t reply_size) {
    if (!terminal || !*terminal)
        return reply_with("30", "ERROR DE FORMATO", "", "", "", "", reply, reply_size);
    const std::string text =
        std::string("00;") + message + ";" + terminal + ";000123;;20260520;;;;;;1250000;2550;7;1";
    card_sim::fill(reply, reply_size, text);
    return 0;
}

}  // namespace

extern "C" int dllpurchase(const char* terminal, int mode, int entry, const char* card_number,
                           const char* amount, const char* expiry, const char* track,
                           const char* tax, const char* tip, const char* cashback, int, int,
                           const char*, int, const char*, const char*, const char* code6,
                           char* reply, size_t reply_size) {
    const long long cents = cents_of(amount);
    const bool ok = terminal && *terminal && mode == 2 && entry == 1 && card_number &&
                    *card_number && expiry && track && cents > 0 && cents_of(tax) == 0 &&
                    cents_of(tip) == 0 && cents_of(cashback) == 0 && code6 &&
                    std::strlen(code6) == 6;
    if (!ok)
        return reply_with("30", "ERROR DE FORMATO", terminal ? terminal : "", "", "", "", reply,
                          reply_size);
    switch (card_sim::outcome(cents, card_number)) {
        case card_sim::Outcome::Insufficient:
            return reply_with("51", "FONDOS INSUFICIENTES", terminal, "", "", "", reply,
                              reply_size);
        case card_sim::Outcome::Refused:
            return reply_with("05", "TARJETA DENEGADA", terminal, "", "", "", reply, reply_size);
        case card_sim::Outcome::TimeOut:
            card_sim::wait_for_time_out();
            return reply_with("91", "TIEMPO DE ESPERA AGOTADO", terminal, "", "", "", reply,
                              reply_size);
        case card_sim::Outcome::Malformed:
            card_sim::fill(reply, reply_size, "00,APROBADA,REF,AUT");
            return 0;
        case card_sim::Outcome::Approved:
            break;
    }
    return reply_with("00", "APROBADA", terminal, card_sim::serial(12), card_sim::serial(6),
                      card_sim::serial(6), reply, reply_size);
}

extern "C" int dllcanceltrans(const char* terminal, const char* reference,
                              const char* authorisation, const char* trace, char* reply,
                              size_t reply_size) {
    if (!terminal || !*terminal || !reference || !*reference || !authorisation || !trace)
        return reply_with("12", "TRANSACCION INVALIDA", terminal ? terminal : "", "", "", "", reply,
                          reply_size);
    return reply_with("00", "ANULACION APROBADA", terminal, reference, authorisation, trace, reply,
                      reply_size);
}

extern "C" int dllsettlement(const char* terminal, char* reply, size_t reply_size) {
    return closing(terminal, "CIERRE EXITOSO", reply, reply_size);
}

extern "C" int dllreport(const char* terminal, char* reply, size_t reply_size) {
    return closing(terminal, "PRE-CIERRE", reply, reply_size);
}
