#include "domain/collections/order_credit.h"

#include <algorithm>
#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/rates.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kOpen = "0";  // the open class of DOCUMEN8: SALDO <> 0

struct Settings {
    long grace = 0;
    std::string currency;
};

Settings read_settings(data::Db& db, const std::string& business) {
    Settings s;
    data::Table t = data::USE(db, "F_FAC", "F_FAC");
    if (t->Seek(data::order_key("F_FAC", "F_FAC", {business}))) {
        s.grace = t->num("D_GRACIA").to_int();
        s.currency = trim(t->str("M_LIMITE"));
    }
    data::KILLTABLA(db, t);
    return s;
}

bool is_charge(data::Db& db, const std::string& business, const std::string& concept_code) {
    return read_keyed_row<bool>(db, "CONCEPT1", "CONCEPT1",
                                data::order_key("CONCEPT1", "CONCEPT1", {business, concept_code}),
                                [](const data::WDBTable& t) { return t.num("TIPO") == 1; })
        .value_or(true);
}

// The document's overdue amount (in its currency) and days.
std::pair<Decimal, long> document_overdue(data::Db& db, const std::string& business,
                                          const std::string& document, Decimal paid,
                                          const Date& today, long grace) {
    Decimal amount;
    long days = 0;
    data::Table t = data::USE(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {business, document});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        const Decimal due = t->num("MONTO");
        const Date late_from = t->date("FECHA") + grace;
        if (late_from < today && paid < due) {
            amount += due - paid;
            days = today - late_from;
        }
        paid = std::max(paid - due, Decimal());
    }
    data::KILLTABLA(db, t);
    return {amount, days};
}

}  // namespace

OverdueFigures order_overdue(data::Db& db, const std::string& business, const std::string& customer,
                             const Date& today) {
    const Settings settings = read_settings(db, business);
    OverdueFigures f;
    f.currency = settings.currency;
    std::map<std::string, Decimal> factors;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (!is_charge(db, business, trim(t->str("CONCEPTO")))) continue;
        const Decimal balance = t->num("SALDO");
        const auto [amount, days] =
            document_overdue(db, business, trim(t->str("DOCUMENTO")), t->num("MONTO") - balance,
                             today, settings.grace);
        if (amount == 0) continue;
        const std::string currency = trim(t->str("MONEDA"));
        auto it = factors.find(currency);
        if (it == factors.end())
            it =
                factors
                    .emplace(currency, f.currency.empty() || currency.empty()
                                           ? Decimal(1)
                                           : CAMBIO_SPEC(db, business, f.currency, currency, today))
                    .first;
        if (it->second == 0) {
            f.rate_problem = currency;
            continue;
        }
        f.amount += (amount * it->second).round(2);
        f.days = std::max(f.days, days);
    }
    data::KILLTABLA(db, t);
    return f;
}

Decimal branch_limit(data::Db& db, const std::string& business, const std::string& customer,
                     const std::string& branch) {
    for (const auto& s : customers::customer_branches(db, business, customer))
        if (normal_code(s.branch.code) == normal_code(branch)) return s.branch.limit;
    return Decimal();
}

std::optional<std::string> order_credit_refusal(const OverdueFigures& f, const StageAuthoriser& who,
                                                bool approval, bool into_controlled,
                                                const Decimal& limit) {
    const bool beyond_permission = f.days > who.days_permitted || f.amount > who.credit_permitted;
    if (beyond_permission && (approval || into_controlled)) return kOverdueRefusal;
    if (!approval && into_controlled && limit < f.amount) return kOverdueRefusal;
    return std::nullopt;
}

}  // namespace qz::domain
