#include "domain/deposits/deposit_concepts.h"

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/session/code_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

using namespace code_rows;

constexpr CodeTable kConcepts{"CON_HLIB", "Concepto de Depósito", kDepositConceptDuplicate,
                              "CONCEPTO"};

int flag(const data::WDBTable& t, const char* field) {
    return static_cast<int>(t.num(field).to_int());
}
bool on(const data::WDBTable& t, const char* field) { return flag(t, field) == 1; }
Decimal bit(bool b) { return Decimal(b ? 1 : 0); }

// Kind 0 books the money into a bank account's book: the account and the book's concept must
// be there when the deposit is saved, or the whole deposit would fail at the cashier's desk.
std::string check_bank_book(data::Db& db, const std::string& business, const DepositConcept& c) {
    const std::string bank = trim(c.bank), account = trim(c.account);
    if (bank.empty() || account.empty()) return kNoDepositBankAccount;
    if (auto p = code_width_problem("El Banco", bank, kConcepts.table, "BANCO"); !p.empty())
        return p;
    if (auto p = code_width_problem("La Cuenta", account, kConcepts.table, "CUENTA"); !p.empty())
        return p;
    if (!key_exists(db, "CUEN_LIB", "CUEN_LIB", {business, bank, account}))
        return "La Cuenta Bancaria " + bank + " / " + account + " no está definida...";
    const std::string book = normal_code(c.book_concept);
    if (book.empty()) return kNoDepositBookConcept;
    if (!key_exists(db, "CONCEPT5", "CONCEPT5", {business, book}))
        return "El Concepto de Bancos " + book + " no está definido...";
    return "";
}

}  // namespace

DepositConcept deposit_concept_from_row(const data::WDBTable& t) {
    DepositConcept c;
    c.code = trim(t.str("CONCEPTO"));
    c.name = trim(t.str("DESCRIP"));
    c.series = trim(t.str("SERIAL"));
    c.kind = flag(t, "TIPO_MOV");
    c.side = flag(t, "TIPO");
    c.applies_all = on(t, "APLICA_RES");
    c.not_above = on(t, "NO_MAYORES");
    c.changes_type = on(t, "CAMB_RES");
    c.new_type = trim(t.str("TIP_RES"));
    c.visible = on(t, "VISIBLE");
    c.card_provider = flag(t, "P_ELECTRO");
    c.prints = on(t, "IMP_COMP");
    c.bank = trim(t.str("BANCO"));
    c.account = trim(t.str("CUENTA"));
    c.book_concept = trim(t.str("CONCEP_LIB"));
    return c;
}

void put_deposit_concept_row(data::WDBTable& t, const std::string& business,
                             const DepositConcept& c) {
    const bool bank_book = c.kind == kBankBookDeposit;
    t.FieldPut("NEGOCIO", business);
    t.FieldPut("CONCEPTO", normal_code(c.code));
    t.FieldPut("DESCRIP", trim(c.name));
    t.FieldPut("SERIAL", normal_code(c.series));
    t.FieldPut("TIPO_MOV", Decimal(c.kind));
    // The sign means something only for a counterpart that adds up to the amount.
    t.FieldPut("TIPO", Decimal(c.kind == kCounterpartAddsUp ? c.side : 0));
    t.FieldPut("APLICA_RES", bit(c.applies_all));
    t.FieldPut("NO_MAYORES", bit(c.not_above));
    t.FieldPut("CAMB_RES", bit(c.changes_type));
    t.FieldPut("TIP_RES", c.changes_type ? normal_code(c.new_type) : std::string());
    t.FieldPut("VISIBLE", bit(c.visible));
    t.FieldPut("P_ELECTRO", Decimal(c.card_provider));
    t.FieldPut("IMP_COMP", bit(c.prints));
    // The bank fields are read only for a bank-book deposit: cleared for the other kinds.
    t.FieldPut("BANCO", bank_book ? trim(c.bank) : std::string());
    t.FieldPut("CUENTA", bank_book ? trim(c.account) : std::string());
    t.FieldPut("CONCEP_LIB", bank_book ? normal_code(c.book_concept) : std::string());
}

std::optional<DepositConcept> read_deposit_concept(data::Db& db, const std::string& business,
                                                   const std::string& code) {
    return read_code_row<DepositConcept>(db, kConcepts.table, business, code,
                                         deposit_concept_from_row);
}

std::string check_deposit_concept(data::Db& db, const std::string& business,
                                  const DepositConcept& c) {
    if (auto p = check_code_and_name(kConcepts, c.code, c.name); !p.empty()) return p;
    const std::string series = normal_code(c.series);
    if (series.empty()) return kNoDepositSeries;
    if (!business_series_exists(db, business, series))
        return "El Serial " + series + " no está definido...";
    if (c.kind < kBankBookDeposit || c.kind > kCounterpartBalances) return kBadDepositKind;
    if (c.kind == kCounterpartAddsUp && c.side != 0 && c.side != 1) return kBadDepositSide;
    if (c.kind == kBankBookDeposit)
        if (auto p = check_bank_book(db, business, c); !p.empty()) return p;
    if (c.changes_type && normal_code(c.new_type).empty()) return kNoReservationType;
    if (auto p = code_width_problem("El Tipo de Reservación", normal_code(c.new_type),
                                    kConcepts.table, "TIP_RES");
        c.changes_type && !p.empty())
        return p;
    if (c.card_provider < 0 || c.card_provider > 2) return kBadCardProvider;
    return "";
}

bool save_deposit_concept(data::Db& db, UserPort& port, const std::string& business,
                          const std::string& old_code, const DepositConcept& c) {
    if (auto p = check_deposit_concept(db, business, c); !p.empty()) return refuse(port, p);
    return write(db, port, kConcepts, business, old_code, c.code,
                 [&](data::WDBTable& t) { put_deposit_concept_row(t, business, c); });
}

namespace {

// The deposits of a busy desk run into the thousands: a seek by concept, not a walk.
std::string first_deposit_of(data::Db& db, const std::string& business, const std::string& code) {
    data::Table t = data::USE(db, "ENC_HLIB", "ENC_HLIB5");
    const bool used = t->Seek(data::order_key("ENC_HLIB", "ENC_HLIB5", {business, code}));
    const std::string found = used ? "el Depósito " + trim(t->str("MOVIMIENTO")) : "";
    data::KILLTABLA(db, t);
    return found;
}

}  // namespace

bool delete_deposit_concept(data::Db& db, UserPort& port, const std::string& business,
                            const std::string& code) {
    const std::string c = normal_code(code);
    return remove(db, port, kConcepts, business, c, {first_deposit_of(db, business, c)});
}

}  // namespace qz::domain
