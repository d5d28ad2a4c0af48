#include "domain/ledger/accounting_period.h"

#include <vector>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string period_text(const AccountingPeriod& p) {
    return "Mes:" + std::to_string(p.month) + " Año:" + std::to_string(p.year);
}

std::string period_problem(const AccountingPeriod& p, const std::optional<AccountingPeriod>& now) {
    if (p.month < 1 || p.month > 12) return "El Mes del período debe estar entre 1 y 12";
    if (p.year < 2000 || p.year > 2999) return "El Año del período no es válido";
    if (now && p < *now)
        return "El período contable sólo avanza: el actual es " + period_text(*now);
    return "";
}

// The posting accounts of the chart (heading accounts take no balance of their own).
std::vector<std::string> posting_accounts(data::Db& db, const std::string& business) {
    std::vector<std::string> out;
    for_business_rows(db, "CUENTAS", business, [&](const data::WDBTable& t) {
        if (t.num("MAYOR") != 1) out.push_back(trim(t.str("CUENTA")));
    });
    return out;
}

void open_period(data::Db& db, const std::string& business, const AccountingPeriod& next,
                 const std::optional<AccountingPeriod>& now) {
    data::Table s = data::USE(db, "SALDOS", "SALDOS");
    for (const std::string& account : posting_accounts(db, business)) {
        Decimal carried;
        if (now && s->Seek(data::order_key("SALDOS", "SALDOS",
                                           {business, static_cast<long long>(now->year),
                                            static_cast<long long>(now->month), account})))
            carried = s->num("SALDO");
        data::ADD_NEW_REC(*s);
        s->FieldPut("NEGOCIO", business);
        s->FieldPut("CUENTA", account);
        s->FieldPut("ANO", Decimal(next.year));
        s->FieldPut("MES", Decimal(next.month));
        s->FieldPut("SALDO", carried);
        data::UNLOCK_NEW_REC(*s);
    }
    data::KILLTABLA(db, s);
}

}  // namespace

std::optional<AccountingPeriod> current_period(data::Db& db, const std::string& business) {
    data::Table s = data::USE(db, "SALDOS", "SALDOS");
    const std::string key = data::business_key(business);
    s->SetScope(key, key);
    s->GoBottom();
    std::optional<AccountingPeriod> out;
    if (!s->Eof())
        out = AccountingPeriod{static_cast<int>(s->num("ANO").to_int()),
                               static_cast<int>(s->num("MES").to_int())};
    data::KILLTABLA(db, s);
    return out;
}

PeriodSettings read_period_settings(data::Db& db, const std::string& business) {
    PeriodSettings out{current_period(db, business)};
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    if (n->Seek(data::order_key("NEGOCIOS", "NEGOCIOS", {business})))
        out.one_voucher = n->num("MAYORIZA") == 1;
    data::KILLTABLA(db, n);
    return out;
}

bool save_period_settings(data::Db& db, UserPort& port, const std::string& business,
                          const AccountingPeriod& period, bool one_voucher) {
    const auto now = current_period(db, business);
    if (auto p = period_problem(period, now); !p.empty()) return refuse(port, p);
    const bool opens = !now || *now < period;
    if (opens && posting_accounts(db, business).empty())
        return refuse(port,
                      "El catálogo de cuentas no tiene cuentas de detalle: defínalas antes "
                      "de abrir el período");
    if (opens &&
        !port.confirm("Atencion", "Desea abrir el período contable " + period_text(period) + "?"))
        return false;
    data::Transaction tx(db);
    data::Table n = data::USE(db, "NEGOCIOS", "NEGOCIOS");
    const bool found = lock_at_key(*n, data::order_key("NEGOCIOS", "NEGOCIOS", {business}));
    if (found) {
        n->FieldPut("MAYORIZA", Decimal(one_voucher ? 1 : 0));
        data::UNLOCK_FOR_MODIFY(*n);
    }
    data::KILLTABLA(db, n);
    if (!found) return refuse(port, "La empresa " + business + " no existe");
    // Read again under the business's lock: another workstation may have moved it meanwhile,
    // and this one would then open a period from balances it never saw.
    if (opens && current_period(db, business) != now)
        return refuse(port, "Otra estación cambió el período contable: vuelva a abrir la ventana");
    if (opens) open_period(db, business, period, now);
    tx.commit();
    return true;
}

}  // namespace qz::domain
