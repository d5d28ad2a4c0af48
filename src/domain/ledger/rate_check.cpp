#include "domain/ledger/rate_check.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/rates.h"
#include "domain/session/keys.h"

namespace qz::domain {

std::vector<std::string> CHECK_CAMBIO(data::Db& db, const std::string& business) {
    std::vector<std::string> lines;
    data::Table neg = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    const bool checks = neg->FieldPos("CHECK_MON") != 0 && neg->Seek(keys::business(business));
    const long amount = checks ? neg->num("CANT_MON").to_int() : 0;
    const bool by_days = checks && neg->num("CHECK_MON").to_int() == 1;
    const std::string main = checks ? neg->str("MONEDA_CON") : std::string();
    data::KILLTABLA(db, neg);
    if (!checks || amount <= 0) return lines;

    const Date oldest = stale_rate_limit(db.clock().XDATE(), by_days, static_cast<int>(amount));
    data::Table cur = data::USE(db, "MONEDAS", "MONEDAS");
    data::Table rates = data::USE(db, "T_CAMBIO", "T_CAMB2");
    std::string main_name = trim(main);
    if (cur->Seek(data::order_key("MONEDAS", "MONEDAS", {business, main})))
        main_name = trim(cur->str("DESCRIP"));

    const std::string scope = keys::business(business);
    cur->SetScope(scope, scope);
    for (cur->GoTop(); !cur->Eof(); cur->Skip()) {
        const std::string code = cur->str("CODIGO");
        // The rate in force today; a rate dated in the future is not in force yet.
        const Date latest = CFECHA_ACT(db, *rates, business, main, code);
        if (latest.empty() || latest < oldest)
            lines.push_back("Debe actualizar la definición de tipos de cambio de " +
                            trim(cur->str("DESCRIP")) + " a " + main_name);
    }
    data::KILLTABLA(db, rates);
    data::KILLTABLA(db, cur);
    return lines;
}

void show_stale_rates(UserPort& port, const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::string text;
    for (const auto& l : lines) text += (text.empty() ? "" : "\n") + l;
    port.message(MsgStyle::Error, kStaleRateTitle, text);
}

}  // namespace qz::domain
