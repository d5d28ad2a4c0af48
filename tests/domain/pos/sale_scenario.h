#pragma once
// A sale at the demonstration spa's counter as the screen would hand it to the save: the draft
// with the register's defaults, hooks that answer from a script, a card terminal that answers as
// told. Shared by the save's tests and the helper program killed in the middle of a save.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "domain/pos/sale_save.h"

namespace qz::test {

inline const std::string kSaleBiz = "HOTEL";

struct ScriptedHooks : domain::pos::SaleSaveHooks {
    bool credit_answer = true;
    int credit_asked = 0, capture_asked = 0, attention_asked = 0, focused = 0;
    std::vector<std::string> captions;
    // What the tenders dialog does; accepts without a change when empty.
    std::function<bool()> on_tenders;

    bool credit_control(const domain::customers::Branch&, const domain::customers::CreditFigures&,
                        bool) override {
        ++credit_asked;
        return credit_answer;
    }
    bool take_tenders(const std::string& caption) override {
        captions.push_back(caption);
        return on_tenders ? on_tenders() : true;
    }
    void attention_data() override { ++attention_asked; }
    void card_capture() override { ++capture_asked; }
    void focus_lines() override { ++focused; }
};

struct ScriptedTerminal : domain::pos::CardTerminal {
    bool approve = true;
    std::vector<domain::pos::CardRequest> requests;
    domain::pos::CardAnswer PAGO_ELECTRONICO(const domain::pos::CardRequest& r) override {
        requests.push_back(r);
        domain::pos::CardAnswer a;
        a.status = approve ? 1 : 0;
        a.message = approve ? "" : "Host no responde";
        return a;
    }
};

// The register of the spa's counter, with `concept_code` and `customer` as its defaults.
inline domain::pos::RegisterDefaults counter_register(const std::string& concept_code,
                                                      const std::string& customer) {
    domain::pos::RegisterDefaults reg;
    reg.code = "CAJ1";
    reg.pos = true;
    reg.customer = customer;
    reg.doc_concept = concept_code;
    reg.warehouse = "01";
    reg.agent = "10";
    reg.currency = "CO";
    reg.price_type = "01";
    return reg;
}

// Types `code` on the grid's last (empty) row with `quantity`.
inline void add_line(domain::pos::SaleDraft& d, const std::string& code,
                     const std::string& quantity = "1") {
    const size_t row = d.lines().size() - 1;
    const auto r = d.PROCESA_COD(row, code);
    d.set_quantity(r.row, Decimal::parse(quantity));
}

inline domain::pos::SaleSaveContext counter_context(const Date& day) {
    domain::pos::SaleSaveContext c;
    c.business = kSaleBiz;
    c.register_code = "CAJ1";
    c.operator_code = "0001";
    c.user = "ANA";
    c.info_user = "ANA prueba";
    c.date = day;
    c.time = "10:00:00";
    return c;
}

}  // namespace qz::test
