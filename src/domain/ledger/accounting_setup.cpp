#include "domain/ledger/accounting_setup.h"

#include <map>
#include <set>

#include "domain/session/code_rows.h"

namespace qz::domain {

namespace {

using namespace code_rows;

constexpr CodeTable kAccounts{"CUENTAS", "Cuenta Contable", kAccountDuplicate, "CUENTA"};
constexpr CodeTable kLinks{"LIGAS", "Liga Contable", kLinkDuplicate};
constexpr CodeTable kClasses{"CLAS_CON", "Clase de Asiento", kClassDuplicate};

bool on(const data::WDBTable& t, const char* field) { return t.num(field) == 1; }

// The concept and payment-method fields that hold a ledger link.
constexpr const char* kConceptLinks[] = {"ASIENTO2", "ASIENTO3",  "ASIENTO4",  "ASIENTO5",
                                         "ASIENTO6", "CXC_COMPL", "COSTO_VEN", "INVENTARIO"};

}  // namespace

LedgerAccount ledger_account_from_row(const data::WDBTable& t) {
    return {trim(t.str("CUENTA")), trim(t.str("DESCRIP")), on(t, "MAYOR"), on(t, "BLOQUEADO")};
}

LedgerLink ledger_link_from_row(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")),
            trim(t.str("DESCRIP")),
            trim(t.str("CUENTA")),
            trim(t.str("CUENTA2")),
            static_cast<int>(t.num("TIPO").to_int()),
            static_cast<int>(t.num("TIPO2").to_int()),
            trim(t.str("GRUPO"))};
}

JournalClass journal_class_from_row(const data::WDBTable& t) {
    return {trim(t.str("CODIGO")), trim(t.str("DESCRIP")), trim(t.str("SERIAL"))};
}

std::optional<LedgerAccount> read_ledger_account(data::Db& db, const std::string& business,
                                                 const std::string& code) {
    return read_code_row<LedgerAccount>(db, kAccounts.table, business, code,
                                        ledger_account_from_row);
}
std::optional<LedgerLink> read_ledger_link(data::Db& db, const std::string& business,
                                           const std::string& code) {
    return read_code_row<LedgerLink>(db, kLinks.table, business, code, ledger_link_from_row);
}
std::optional<JournalClass> read_journal_class(data::Db& db, const std::string& business,
                                               const std::string& code) {
    return read_code_row<JournalClass>(db, kClasses.table, business, code, journal_class_from_row);
}

bool save_ledger_account(data::Db& db, UserPort& port, const std::string& business,
                         const std::string& old_code, const LedgerAccount& a) {
    if (auto p = check_code_and_name(kAccounts, a.code, a.name); !p.empty()) return refuse(port, p);
    return write(db, port, kAccounts, business, old_code, a.code, [&](data::WDBTable& t) {
        t.FieldPut("NEGOCIO", business);
        t.FieldPut("CUENTA", normal_code(a.code));
        t.FieldPut("DESCRIP", trim(a.name));
        t.FieldPut("MAYOR", Decimal(a.major ? 1 : 0));
        t.FieldPut("BLOQUEADO", Decimal(a.blocked ? 1 : 0));
    });
}

bool save_ledger_link(data::Db& db, UserPort& port, const std::string& business,
                      const std::string& old_code, const LedgerLink& l) {
    if (auto p = check_code_and_name(kLinks, l.code, l.name); !p.empty()) return refuse(port, p);
    const std::string account = normal_code(l.account);
    if (!account.empty() && !exists(db, kAccounts, business, account))
        return refuse(
            port, "La Cuenta Contable " + account + " no está definida en el catálogo de cuentas");
    return write(db, port, kLinks, business, old_code, l.code, [&](data::WDBTable& t) {
        t.FieldPut("NEGOCIO", business);
        t.FieldPut("CODIGO", normal_code(l.code));
        t.FieldPut("DESCRIP", trim(l.name));
        t.FieldPut("CUENTA", account);
        t.FieldPut("CUENTA2", normal_code(l.account2));
        t.FieldPut("TIPO", Decimal(l.side == 1 ? 1 : 0));
        t.FieldPut("TIPO2", Decimal(l.side2 == 1 ? 1 : 0));
        t.FieldPut("GRUPO", normal_code(l.group));
    });
}

std::vector<LinkShare> read_link_distribution(data::Db& db, const std::string& business,
                                              const std::string& link) {
    std::vector<LinkShare> out;
    const std::string key = data::order_key("DET_LIGA", "DET_LIGA", {business, normal_code(link)});
    data::Table t = data::USE(db, "DET_LIGA", "DET_LIGA");
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        out.push_back({trim(t->str("C_ANALIZA")), trim(t->str("CODIGO")), t->num("PORCENT")});
    data::KILLTABLA(db, t);
    return out;
}

namespace {

// Why the distribution cannot be kept, or "".
std::string distribution_problem(const std::vector<LinkShare>& shares) {
    std::map<std::string, Decimal> per_dimension;
    std::set<std::pair<std::string, std::string>> seen;
    for (const auto& s : shares) {
        const std::string dim = normal_code(s.dimension), value = normal_code(s.value);
        if (dim.empty() || value.empty())
            return "Cada línea de la distribución requiere la Dimensión y el Código de análisis";
        if (!seen.insert({dim, value}).second)
            return "El Código " + value + " se repite en la Dimensión " + dim;
        if (s.percent <= 0 || s.percent > 100)
            return "El Porcentaje de " + dim + " / " + value +
                   " debe ser mayor que 0 y no "
                   "mayor que 100";
        if ((per_dimension[dim] += s.percent) > 100)
            return "Los porcentajes de la Dimensión " + dim + " suman más del 100%";
    }
    return "";
}

}  // namespace

bool save_link_distribution(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& link, const std::vector<LinkShare>& shares) {
    if (auto p = distribution_problem(shares); !p.empty()) return refuse(port, p);
    const std::string code = normal_code(link);
    data::Transaction tx(db);
    data::Table l = data::USE(db, kLinks.table, kLinks.table);
    // The link's row stays locked while its distribution is rewritten, so a deletion of the link
    // on another workstation waits instead of leaving rows without their link.
    const bool found =
        lock_at_key(*l, data::order_key(kLinks.table, kLinks.table, {business, code}));
    if (found) {
        delete_by_order(db, "DET_LIGA", "DET_LIGA", {business, code});
        data::Table d = data::USE(db, "DET_LIGA", "DET_LIGA");
        for (const auto& s : shares) {
            data::ADD_NEW_REC(*d);
            d->FieldPut("NEGOCIO", business);
            d->FieldPut("LIGA", code);
            d->FieldPut("C_ANALIZA", normal_code(s.dimension));
            d->FieldPut("CODIGO", normal_code(s.value));
            d->FieldPut("PORCENT", s.percent);
            data::UNLOCK_NEW_REC(*d);
        }
        data::KILLTABLA(db, d);
        data::UNLOCK_FOR_MODIFY(*l);
    }
    data::KILLTABLA(db, l);
    tx.commit();
    if (!found) return refuse(port, "La Liga Contable " + code + " ya no existe...");
    return true;
}

bool save_journal_class(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& old_code, const JournalClass& c) {
    if (auto p = check_code_and_name(kClasses, c.code, c.name); !p.empty()) return refuse(port, p);
    const std::string code = normal_code(c.code);
    if (code.size() == 2 && code[0] == '0' && code[1] >= '1' && code[1] <= '9')
        return refuse(port,
                      "Los diarios 01 a 09 numeran con los seriales de la empresa: use otro "
                      "código.");
    const std::string series = normal_code(c.series);
    if (series.empty()) return refuse(port, "El Serial de la Clase es requerido...");
    if (!business_series_exists(db, business, series))
        return refuse(port, "El Serial " + series + " no está definido...");
    return write(db, port, kClasses, business, old_code, c.code, [&](data::WDBTable& t) {
        t.FieldPut("NEGOCIO", business);
        t.FieldPut("CODIGO", code);
        t.FieldPut("DESCRIP", trim(c.name));
        t.FieldPut("SERIAL", series);
    });
}

bool delete_ledger_account(data::Db& db, UserPort& port, const std::string& business,
                           const std::string& code) {
    const std::string c = normal_code(code);
    std::string posted;
    if (key_exists(db, "DET_AS", "DET_AS3", {business, c})) posted = "asientos registrados";
    return remove(db, port, kAccounts, business, c,
                  {posted, named_by(db, "LIGAS", "CUENTA", c, business, "la Liga", "CODIGO")});
}

bool delete_ledger_link(data::Db& db, UserPort& port, const std::string& business,
                        const std::string& code) {
    const std::string c = normal_code(code);
    std::vector<std::string> users{
        named_by(db, "TIPO_MOV", "ASIENTO1", c, business, "la Forma de Pago", "CODIGO")};
    for (const char* field : kConceptLinks)
        users.push_back(named_by(db, "CONCEPT1", field, c, business, "el Concepto", "CONCEPTO"));
    return remove(db, port, kLinks, business, c, users, [&] {
        delete_by_order(db, "DET_LIGA", "DET_LIGA", {business, c});
    });
}

bool delete_journal_class(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& code) {
    const std::string c = normal_code(code);
    std::string used;
    if (key_exists(db, "ENC_AS", "ENC_AS4", {business, c})) used = "asientos registrados";
    return remove(db, port, kClasses, business, c, {used});
}

}  // namespace qz::domain
