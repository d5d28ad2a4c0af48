// The first network's training client. The simulated terminal "reads" the card named by
// QZ_CARD_SIM_CARD (default 4111111111111111). Codes: 0 approved, 51 insufficient funds,
// 05 refused, 91 time-out, 96 malformed message (its reply fills the whole buffer without an
// ending NUL and the card field holds NULs), 12 invalid void (no reference), 30 bad call.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "card_sim/sim_rules.h"
#include "services/terminals/card_abi.h"

namespace {

std::string simulated_card() {
    const char* v = std::getenv("QZ_CARD_SIM_CARD");
    return v && *v ? v : "4111111111111111";
}

int answer(int code, const char* text, char* reply, size_t reply_size) {
    card_sim::fill(reply, reply_size, text);
    return code;
}

int purchase(double amount, char* card, size_t card_size, char* reference, size_t reference_size,
             char* authorisation, size_t authorisation_size, char* reply, size_t reply_size) {
    const std::string number = simulated_card();
    const long long cents = std::llround(amount * 100);
    card_sim::fill(card, card_size, number);
    switch (card_sim::outcome(cents, number)) {
        case card_sim::Outcome::Insufficient:
            return answer(51, "FONDOS INSUFICIENTES", reply, reply_size);
        case card_sim::Outcome::Refused:
            return answer(5, "TARJETA DENEGADA", reply, reply_size);
        case card_sim::Outcome::TimeOut:
            card_sim::wait_for_time_out();
            return answer(91, "TIEMPO DE ESPERA AGOTADO", reply, reply_size);
        case card_sim::Outcome::Malformed:
            if (card_size > 16) std::memset(card + 4, 0, 8);  // "4111<8 NULs>1111"
            if (reply_size) std::memset(reply, '#', reply_size);
            return 96;
        case card_sim::Outcome::Approved:
            break;
    }
    card_sim::fill(reference, reference_size, card_sim::serial(12));
    card_sim::fill(authorisation, authorisation_size, card_sim::serial(6));
    return answer(0, "APROBADA", reply, reply_size);
}

}  // namespace

extern "C" int ProcessTransaction(const char* merchant, const char* merchant_number,
                                  const char* terminal, const char* type, double amount, char* card,
                                  size_t card_size, char* reference, size_t reference_size,
                                  char* authorisation, size_t authorisation_size, char* reply,
                                  size_t reply_size, int option) {
    if (!merchant || !merchant_number || !terminal || !type || option != 99)
        return answer(30, "ERROR DE FORMATO", reply, reply_size);
    if (std::strcmp(type, "S") == 0)
        return purchase(amount, card, card_size, reference, reference_size, authorisation,
                        authorisation_size, reply, reply_size);
    if (std::strcmp(type, "W") != 0) return answer(30, "ERROR DE FORMATO", reply, reply_size);
    if (!reference || !*reference) return answer(12, "TRANSACCION INVALIDA", reply, reply_size);
    return answer(0, "ANULACION APROBADA", reply, reply_size);
}

extern "C" int ProcessSettlement(const char* merchant, const char* merchant_number,
                                 const char* terminal, int kind, int option) {
    const bool ok = merchant && *merchant && merchant_number && terminal && *terminal &&
                    kind == 100 && option == 99;
    return ok ? 0 : 30;
}
