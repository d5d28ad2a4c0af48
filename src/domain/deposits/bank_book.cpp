#include "domain/deposits/bank_book.h"

#include <optional>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/serials.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

std::string account_key(const BankBookEntry& e) {
    return data::order_key("CUEN_LIB", "CUEN_LIB", {e.business, e.bank, e.account});
}

std::string movement_key(const std::string& table, const BankBookEntry& e,
                         const std::string& movement) {
    return data::order_key(table, table, {e.business, e.bank, e.account, movement});
}

// TIPO 1 puts money into the account, TIPO 0 takes it out.
Decimal concept_sign(data::Db& db, const BankBookEntry& e) {
    const auto kind = read_keyed_row<int>(
        db, "CONCEPT5", "CONCEPT5",
        data::order_key("CONCEPT5", "CONCEPT5", {e.business, e.book_concept}),
        [](const data::WDBTable& t) { return static_cast<int>(t.num("TIPO").to_int()); });
    if (!kind)
        throw data::TransactionAborted("El concepto de libro de bancos " + trim(e.book_concept) +
                                       " no existe");
    return Decimal(*kind == 1 ? 1 : -1);
}

struct AccountMove {
    std::string series;
    Decimal balance;  // after the movement
};

// Locks the account (until the transaction ends, so two movements never read the same balance)
// and moves its balance by `change`.
AccountMove move_balance(data::Db& db, const BankBookEntry& e, const Decimal& change) {
    data::Table t = data::USE(db, "CUEN_LIB", "CUEN_LIB");
    if (!lock_at_key(*t, account_key(e))) {
        data::KILLTABLA(db, t);
        throw data::TransactionAborted("La cuenta bancaria " + trim(e.bank) + " " +
                                       trim(e.account) + " no existe");
    }
    AccountMove m{trim(t->str("SERLIB_IMP")), t->num("SALDO") + change};
    t->FieldPut("SALDO", m.balance);
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(db, t);
    return m;
}

std::string next_number(data::Db& db, const BankBookEntry& e, const std::string& series) {
    const std::string n = series.empty() ? kNoSerial : GET_NXSERIAL(db, e.business, series);
    // A movement numbered NO_SERIAL! would clash with the next one that finds no series.
    if (is_no_serial(n))
        throw data::TransactionAborted("La cuenta bancaria " + trim(e.account) +
                                       " no tiene un consecutivo de movimientos válido");
    return trim(n);
}

void write_header(data::Db& db, const BankBookEntry& e, const std::string& movement,
                  const Decimal& balance) {
    data::Table t = data::USE(db, "ENC_LIB", "ENC_LIB");
    data::ADD_NEW_REC(*t);
    t->FieldPut("NEGOCIO", e.business);
    t->FieldPut("CONSOLIDA", std::string("0"));
    t->FieldPut("MOVIMIENTO", movement);
    t->FieldPut("BANCO", e.bank);
    t->FieldPut("CUENTA", e.account);
    t->FieldPut("CONCEPTO", e.book_concept);
    t->FieldPut("SALDO", balance);
    t->FieldPut("HECHO_POR", e.made_by);
    t->FieldPut("MONTO", e.amount);
    t->FieldPut("DESCRIP", e.description);
    t->FieldPut("FECHA", e.date);
    t->FieldPut("DOCUMENTO", e.document);
    t->FieldPut("CAMBIO", e.rate);
    t->FieldPut("MOV_HOTEL", e.hotel_movement);
    t->FieldPut("USUARIO", e.user);
    t->FieldPut("INFO_USER", e.info_user);
    data::UNLOCK_NEW_REC(*t);
    data::KILLTABLA(db, t);
}

void write_lines(data::Db& db, const BankBookEntry& e, const std::string& movement) {
    for (const char* table : {"DET_LIB", "DET_LIB3", "DET_LIB4"}) {
        data::Table t = data::USE(db, table, table);
        for (const BankBookLine& l : e.lines) {
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", e.business);
            t->FieldPut("BANCO", e.bank);
            t->FieldPut("CUENTA", e.account);
            t->FieldPut("MOVIMIENTO", movement);
            t->FieldPut("CUENTA_CON", l.account);
            t->FieldPut("DESCRIP", l.description);
            t->FieldPut("FECHA", e.date);
            t->FieldPut("DEBITO", l.debit);
            t->FieldPut("CREDITO", l.credit);
            data::UNLOCK_NEW_REC(*t);
        }
        data::KILLTABLA(db, t);
    }
}

// The ledger account's totals of the entry's month, in the accounting currency.
void add_to_month(data::Db& db, const BankBookEntry& e, const BankBookLine& l) {
    const Decimal debit = (l.debit * e.rate).round(2), credit = (l.credit * e.rate).round(2);
    const long long year = e.date.year(), month = e.date.month();
    data::Table t = data::USE(db, "MES_LIB4", "MES_LIB4");
    if (lock_at_key(
            *t, data::order_key("MES_LIB4", "MES_LIB4", {e.business, l.account, year, month}))) {
        t->FieldPut("DEBITO", t->num("DEBITO") + debit);
        t->FieldPut("CREDITO", t->num("CREDITO") + credit);
        data::UNLOCK_FOR_MODIFY(*t);
    } else {
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", e.business);
        t->FieldPut("CUENTA", l.account);
        t->FieldPut("ANHO", Decimal(year));
        t->FieldPut("MES", Decimal(month));
        t->FieldPut("DEBITO", debit);
        t->FieldPut("CREDITO", credit);
        data::UNLOCK_NEW_REC(*t);
    }
    data::KILLTABLA(db, t);
}

// The movement as it was written, to be undone; nullopt when there is none.
std::optional<BankBookEntry> read_movement(data::Db& db, BankBookEntry e,
                                           const std::string& movement) {
    data::Table t = data::USE(db, "ENC_LIB", "ENC_LIB");
    const bool found = t->Seek(movement_key("ENC_LIB", e, movement));
    if (found) {
        e.book_concept = trim(t->str("CONCEPTO"));
        e.made_by = trim(t->str("HECHO_POR"));
        e.amount = t->num("MONTO");
        e.description = trim(t->str("DESCRIP"));
        e.date = t->date("FECHA");
        e.document = trim(t->str("DOCUMENTO"));
        e.rate = t->num("CAMBIO");
        e.hotel_movement = trim(t->str("MOV_HOTEL"));
        e.user = trim(t->str("USUARIO"));
    }
    data::KILLTABLA(db, t);
    if (!found) return std::nullopt;
    t = data::USE(db, "DET_LIB", "DET_LIB");
    const std::string key = movement_key("DET_LIB", e, movement);
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip())
        e.lines.push_back({trim(t->str("CUENTA_CON")), t->num("DEBITO"), t->num("CREDITO"),
                           trim(t->str("DESCRIP"))});
    data::KILLTABLA(db, t);
    return e;
}

}  // namespace

std::string TRANSACCION(data::Db& db, const BankBookEntry& e) {
    data::Transaction tx(db, data::kTransBankEntry);
    const Decimal sign = concept_sign(db, e);
    const AccountMove account = move_balance(db, e, sign * e.amount);
    const std::string movement = next_number(db, e, account.series);
    write_header(db, e, movement, account.balance);
    write_lines(db, e, movement);
    for (const BankBookLine& l : e.lines) add_to_month(db, e, l);
    tx.commit();
    return movement;
}

std::optional<BankBookEntry> read_bank_book_movement(data::Db& db, const std::string& business,
                                                     const std::string& bank,
                                                     const std::string& account,
                                                     const std::string& movement) {
    BankBookEntry key;
    key.business = business;
    key.bank = bank;
    key.account = account;
    return read_movement(db, key, movement);
}

std::optional<std::pair<std::string, std::string>> deposit_bank_account(
    data::Db& db, const std::string& business, const std::string& deposit) {
    data::Table t = data::USE(db, "ENC_LIB", "ENC_LIB2");
    std::optional<std::pair<std::string, std::string>> out;
    if (t->Seek(data::order_key("ENC_LIB", "ENC_LIB2", {business, deposit})))
        out.emplace(trim(t->str("BANCO")), trim(t->str("CUENTA")));
    data::KILLTABLA(db, t);
    return out;
}

std::string deposit_void_description(const std::string& deposit) {
    return "Anulación Dep.: " + trim(deposit);
}

std::string reverse_bank_book(data::Db& db, const std::string& business, const std::string& bank,
                              const std::string& account, const std::string& movement,
                              const std::string& description) {
    data::Transaction tx(db, data::kTransBankEntry);
    BankBookEntry key;
    key.business = business;
    key.bank = bank;
    key.account = account;
    auto e = read_movement(db, key, movement);
    if (!e)
        throw data::TransactionAborted("El movimiento de libro de bancos " + trim(movement) +
                                       " no existe");
    e->amount = -e->amount;
    for (BankBookLine& l : e->lines) {
        l.debit = -l.debit;
        l.credit = -l.credit;
    }
    e->description = description;
    e->info_user = info_user(db.clock().now());
    const std::string number = TRANSACCION(db, *e);
    tx.commit();
    return number;
}

}  // namespace qz::domain
