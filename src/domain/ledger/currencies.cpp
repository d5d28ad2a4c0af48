#include "domain/ledger/currencies.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string currency_key(const std::string& business, const std::string& code) {
    return data::order_key("MONEDAS", "MONEDAS", {business, code});
}

std::string pair_key(const std::string& business, const std::string& from, const std::string& to) {
    return data::order_key("DET_MON", "DET_MON", {business, from, to});
}

// The ledger's tables that keep a currency in MONEDA, each with an order beginning with NEGOCIO
// to walk the business's rows on.
struct CurrencyField {
    const char* table;
    const char* order;
    const char* field;
};
constexpr CurrencyField kCurrencyFields[] = {
    {"DOCUMENT", "DOCUMENT", "MONEDA"},     {"PDOCUMEN", "DOCUMENT", "MONEDA"},
    {"ENC_MOVE", "ENC_MOVE", "MONEDA"},     {"PENC_MOV", "ENC_MOVE", "MONEDA"},
    {"DET_CON1", "DET_CON1", "MONEDA"},     {"DET_AS", "DET_AS1", "MONEDA"},
    {"F_FAC", "F_FAC", "MONEDA"},           {"F_FAC", "F_FAC", "MONEDA_TIQ"},
    {"NEGOCIOS", "NEGOCIOS", "MONEDA_CON"}, {"NEGOCIOS", "NEGOCIOS", "MONEDA_D"},
    {"MONEDAS", "MONEDAS", "EQUIVAL"},      {"DET_MON", "DET_MON", "MONEDA_1"},
    {"DET_MON", "DET_MON", "MONEDA_2"},     {"T_CAMBIO", "T_CAMBIO", "MONEDA1"},
    {"T_CAMBIO", "T_CAMBIO", "MONEDA2"},
};

// Whether a pair of the business names the currency on either side.
bool in_a_pair(data::Db& db, const std::string& business, const std::string& code) {
    bool found = false;
    for_business_rows(db, "DET_MON", business, [&](const data::WDBTable& t) {
        found = found || trim(t.str("MONEDA_1")) == code || trim(t.str("MONEDA_2")) == code;
    });
    return found;
}

void put_pair_row(data::WDBTable& t, const std::string& business, const CurrencyPair& p,
                  const std::string& description) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("MONEDA_1", normal_code(p.from));
    t.FieldPut("MONEDA_2", normal_code(p.to));
    t.FieldPut("DESCRIP", description);
    t.FieldPut("PROYECTA", p.daily);
}

// What is wrong with a pair; "" when nothing.
std::string check_pair(data::Db& db, const std::string& business, const CurrencyPair& p) {
    const std::string from = normal_code(p.from), to = normal_code(p.to);
    if (from.empty() || to.empty() || from == to || !read_currency(db, business, from) ||
        !read_currency(db, business, to))
        return std::string(kPairProblem) + from + " / " + to;
    return "";
}

}  // namespace

Currency currency_from_row(const data::WDBTable& t) {
    return Currency{trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("SIMBOLO")),
                    trim(t.str("SIGLAS")), t.num("CAMBIO_MIN"),    t.num("SAL_CXC"),
                    t.num("SAL_CXP"),      t.num("NEGATIVO") == 1, trim(t.str("EQUIVAL"))};
}

void put_currency_row(data::WDBTable& t, const std::string& business, const Currency& c) {
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CODIGO", normal_code(c.code));
    t.FieldPut("DESCRIP", trim(c.name));
    t.FieldPut("SIMBOLO", trim(c.symbol));
    t.FieldPut("SIGLAS", trim(c.initials));
    t.FieldPut("CAMBIO_MIN", c.min_rate);
    t.FieldPut("SAL_CXC", c.margin_cxc);
    t.FieldPut("SAL_CXP", c.margin_cxp);
    t.FieldPut("NEGATIVO", Decimal(c.negative ? 1 : 0));
    t.FieldPut("EQUIVAL", normal_code(c.equivalent));
}

std::optional<Currency> read_currency(data::Db& db, const std::string& business,
                                      const std::string& code) {
    return read_code_row<Currency>(db, "MONEDAS", business, code, currency_from_row);
}

std::vector<Currency> business_currencies(data::Db& db, const std::string& business) {
    return business_rows<Currency>(db, "MONEDAS", business, currency_from_row);
}

std::string check_currency(const Currency& c) {
    const std::string code = normal_code(c.code);
    if (code.empty()) return "El código de moneda es requerido...";
    if (auto problem = code_width_problem("El código de moneda", code, "MONEDAS", "CODIGO");
        !problem.empty())
        return problem;
    if (trim(c.name).empty()) return "La descripción de la moneda es requerida...";
    if (c.min_rate.sign() < 0) return "El tipo de cambio mínimo no puede ser negativo...";
    if (c.margin_cxc.sign() < 0 || c.margin_cxp.sign() < 0)
        return "El redondeo de saldos no puede ser negativo...";
    if (normal_code(c.equivalent) == code)
        return "La moneda no puede ser equivalente a sí misma...";
    return "";
}

bool add_currency(data::Db& db, UserPort& port, const std::string& business, const Currency& c) {
    if (auto problem = check_currency(c); !problem.empty()) return refuse(port, problem);
    if (key_exists(db, "MONEDAS", "MONEDAS", {business, normal_code(c.code)}))
        return refuse(port, kCurrencyDuplicate);
    data::Transaction tx(db);
    data::Table t = data::USE(db, "MONEDAS", "MONEDAS");
    data::ADD_NEW_REC(*t);
    put_currency_row(*t, business, c);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

long recode_currency_references(data::Db& db, const std::string& business,
                                const std::string& old_code, const std::string& new_code,
                                WaitWindow* wait) {
    long done = 0;
    for (const auto& f : kCurrencyFields) {
        if (wait) wait->put_text(std::string("Actualizando ") + f.table + "...");
        // NEGOCIOS is keyed by the business code itself, so its scope is that one row.
        done += recode_in_scope(db, f.table, f.order, business, f.field, old_code, new_code);
    }
    return done;
}

bool modify_currency(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& old_code, const Currency& c) {
    if (auto problem = check_currency(c); !problem.empty()) return refuse(port, problem);
    const std::string old_c = normal_code(old_code), new_c = normal_code(c.code);
    const std::string gone = "La moneda " + old_c + " ya no existe...";
    if (!read_currency(db, business, old_c)) return refuse(port, gone);
    const bool recode = old_c != new_c;
    if (recode && key_exists(db, "MONEDAS", "MONEDAS", {business, new_c}))
        return refuse(port, kCurrencyDuplicate);
    auto wait = recode ? port.wait("Actualizando códigos de moneda...") : nullptr;
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "MONEDAS", "MONEDAS");
        if (!lock_at_key(*t, currency_key(business, old_c))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, gone);
        }
        put_currency_row(*t, business, c);
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (recode) recode_currency_references(db, business, old_c, new_c, wait.get());
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_currency(data::Db& db, UserPort& port, const std::string& business,
                     const std::string& code) {
    const std::string c = normal_code(code);
    if (in_a_pair(db, business, c))
        return refuse(port,
                      "La moneda " + c +
                          " tiene tipos de cambio definidos; elimine primero sus referencias...");
    if (!port.confirm("Advertencia", "Desea borrar la Moneda?")) return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "MONEDAS", "MONEDAS");
    const bool found = lock_at_key(*t, currency_key(business, c));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    tx.commit();
    return found;
}

CurrencyPair pair_from_row(const data::WDBTable& t) {
    return CurrencyPair{trim(t.str("MONEDA_1")), trim(t.str("MONEDA_2")), t.num("PROYECTA")};
}

std::vector<CurrencyPair> business_pairs(data::Db& db, const std::string& business) {
    std::vector<CurrencyPair> all;
    for_business_rows(db, "DET_MON", business,
                      [&](const data::WDBTable& t) { all.push_back(pair_from_row(t)); });
    return all;
}

std::string pair_description(const Currency& to) { return to.name + "   (" + to.symbol + ")"; }

bool add_pair(data::Db& db, UserPort& port, const std::string& business, const CurrencyPair& p) {
    if (auto problem = check_pair(db, business, p); !problem.empty()) return refuse(port, problem);
    const std::string from = normal_code(p.from), to = normal_code(p.to);
    // One direction per pair: the lookups already answer the other one.
    if (key_exists(db, "DET_MON", "DET_MON", {business, from, to}) ||
        key_exists(db, "DET_MON", "DET_MON", {business, to, from}))
        return refuse(port, "El par de monedas " + from + " / " + to + " ya está definido...");
    data::Transaction tx(db);
    data::Table t = data::USE(db, "DET_MON", "DET_MON");
    data::ADD_NEW_REC(*t);
    put_pair_row(*t, business, p, pair_description(*read_currency(db, business, to)));
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
    tx.commit();
    return true;
}

bool modify_pair(data::Db& db, UserPort& port, const std::string& business,
                 const CurrencyPair& old_pair, const CurrencyPair& p) {
    if (auto problem = check_pair(db, business, p); !problem.empty()) return refuse(port, problem);
    const std::string from = normal_code(old_pair.from), old_to = normal_code(old_pair.to);
    const std::string to = normal_code(p.to);
    if (normal_code(p.from) != from) return refuse(port, std::string(kPairProblem) + p.from);
    if (to != old_to && (key_exists(db, "DET_MON", "DET_MON", {business, from, to}) ||
                         key_exists(db, "DET_MON", "DET_MON", {business, to, from})))
        return refuse(port, "El par de monedas " + from + " / " + to + " ya está definido...");
    try {
        data::Transaction tx(db);
        data::Table t = data::USE(db, "DET_MON", "DET_MON");
        if (!lock_at_key(*t, pair_key(business, from, old_to))) {
            data::KILLTABLA(db, t);
            tx.commit();  // nothing was written
            return refuse(port, std::string(kPairProblem) + from + " / " + old_to);
        }
        put_pair_row(*t, business, p, pair_description(*read_currency(db, business, to)));
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (to != old_to)
            recode_by_order(db, "T_CAMBIO", "T_CAMBIO", {business, from, old_to}, "MONEDA2", to);
        tx.commit();
    } catch (const data::TransactionAborted&) {
        return refuse(port, kRecodeAborted);
    }
    return true;
}

bool delete_pair(data::Db& db, UserPort& port, const std::string& business, const CurrencyPair& p) {
    const std::string from = normal_code(p.from), to = normal_code(p.to);
    if (!port.confirm("Advertencia", "Desea borrar la referencia " + from + " / " + to +
                                         " con todos sus tipos de cambio?"))
        return false;
    data::Transaction tx(db);
    data::Table t = data::USE(db, "DET_MON", "DET_MON");
    const bool found = lock_at_key(*t, pair_key(business, from, to));
    if (found) {
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
    data::Table r = data::USE(db, "T_CAMBIO", "T_CAMBIO");
    const std::string rates = data::order_key("T_CAMBIO", "T_CAMBIO", {business, from, to});
    while (found && r->Seek(rates)) {
        data::LOCK_FOR_MODIFY(*r);
        r->Delete();
        data::UNLOCK_FOR_MODIFY(*r);
    }
    data::KILLTABLA(db, r);
    tx.commit();
    return found;
}

}  // namespace qz::domain
