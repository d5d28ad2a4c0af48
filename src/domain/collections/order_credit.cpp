#include "domain/collections/order_credit.h"

#include <algorithm>
#include <map>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/customers/credit_figures.h"
#include "domain/customers/customer_rows.h"
#include "domain/ledger/rates.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kOpen = "0";  // the open class of DOCUMEN8: SALDO <> 0

}  // namespace

OverdueFigures order_overdue(data::Db& db, const std::string& business, const std::string& customer,
                             const Date& today) {
    const customers::CreditSettings settings = customers::credit_settings(db, business);
    OverdueFigures f;
    f.currency = settings.limit_currency;
    std::map<std::string, Decimal> factors;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMEN8");
    const std::string key =
        data::order_key("DOCUMENT", "DOCUMEN8", {business, kOpen, normal_code(customer)});
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) {
        if (!customers::is_charge(db, business, trim(t->str("CONCEPTO")))) continue;
        const auto [amount, days] = customers::overdue_instalments(
            db, business, trim(t->str("DOCUMENTO")), t->num("MONTO") - t->num("SALDO"), today,
            settings.grace_days);
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
