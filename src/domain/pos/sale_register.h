#pragma once
// What a point-of-sale register imposes on the sale screen once taken: the defaults of the
// header, the fields locked to them and the buttons it disables (CAJA_ENC, or VCAJAS at the
// restaurant). The registers' own rows are read by the cash subsystem, which fills this.
#include <array>
#include <string>

namespace qz::domain::pos {

struct RegisterDefaults {
    std::string code;
    bool pos = false;  // POS: the defaults below apply
    std::string customer, doc_concept, warehouse, agent, currency, price_type;  // DEF_*
    // REST_CL, REST_CON, REST_BOD, REST_AGE, REST_MON, REST_PRE
    bool lock_customer = false, lock_concept = false, lock_warehouse = false;
    bool lock_agent = false, lock_currency = false, lock_price_type = false;
    std::array<bool, 9> blocked{};  // BLOQUEO1..BLOQUEO9, in the order of SaleButton
    bool ask_tenders = false;       // LEER_PAGO
    bool card_account = false;      // REQ_CAP_DA
    std::string sales_group;        // DEF_VENT
};

}  // namespace qz::domain::pos
