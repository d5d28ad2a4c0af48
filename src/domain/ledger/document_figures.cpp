#include "domain/ledger/document_figures.h"

#include <vector>

#include "core/text.h"
#include "data/amount_field.h"
#include "domain/ledger/document_viewer.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

struct Figure {
    const char* field;
    const char* label;
    const std::string* typed;
};

struct Change {
    const char* field;
    const char* label;
    Decimal before, after;
};

std::string shown(const char* field, const Decimal& v) {
    return data::amount_field("DOCUMENT", field, "").show(v);
}

// One line per change: "Saldo: 150,000.00 -> 100,000.00".
std::string log_text(const std::string& number, const std::vector<Change>& changes,
                     const customers::LogWriter& who) {
    std::string text = "Modificación directa del documento " + number + " por " + who.user +
                       " el " + who.at.date.dtoc4() + " " + who.at.time;
    for (const auto& c : changes)
        text += "\r\n" + std::string(c.label) + ": " + shown(c.field, c.before) + " -> " +
                shown(c.field, c.after);
    return text;
}

}  // namespace

bool check_repair_right(UserPort& port, const Rights& rights) {
    return !rights.GET_RIGHTS(kModDocRight) || refuse(port, kNoRepairRight);
}

bool MOD_DOC(data::Db& db, UserPort& port, const std::string& business, const std::string& number,
             const TypedFigures& typed, const Rights& rights, const customers::LogWriter& who) {
    if (!check_repair_right(port, rights)) return false;
    const Figure figures[] = {{"SALDO", "Saldo", &typed.balance},
                              {"CUOTA", "Cuota", &typed.instalment},
                              {"INTERES", "Intereses", &typed.interest}};
    std::vector<std::pair<const Figure*, Decimal>> values;
    for (const auto& f : figures) {
        AmountField field = data::amount_field("DOCUMENT", f.field, f.label);
        field.negative = true;  // a repair may need to put back a negative balance
        Decimal v;
        if (const std::string why = field.read(*f.typed, v); !why.empty()) return refuse(port, why);
        values.emplace_back(&f, v);
    }
    return write_document(db, port, business, number, [&](data::WDBTable& t) {
        std::vector<Change> changes;
        for (const auto& [f, v] : values)
            if (t.num(f->field) != v) changes.push_back({f->field, f->label, t.num(f->field), v});
        if (changes.empty()) return true;
        for (const auto& c : changes) t.FieldPut(c.field, c.after);
        const std::string customer = trim(t.str("CLIENTE"));
        customers::add_log_note(db, port, business,
                                {customer, trim(number), log_text(trim(number), changes, who)},
                                who);
        return true;
    });
}

}  // namespace qz::domain
