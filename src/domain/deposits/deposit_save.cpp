#include "domain/deposits/deposit_save.h"

#include <optional>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/cash/workstation_register.h"
#include "domain/deposits/bank_book.h"
#include "domain/deposits/deposit_application.h"
#include "domain/deposits/deposit_card.h"
#include "domain/deposits/deposit_concepts.h"
#include "domain/deposits/deposit_posting.h"
#include "domain/ledger/journal.h"
#include "domain/ledger/ledger_settings.h"
#include "domain/ledger/serials.h"
#include "domain/pos/card_log.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kNoDepositSerial =
    "Falta definir el serial. No se puede asignar un número de depósito...";
constexpr const char* kDepositSaveFailed =
    "No se pudo guardar el depósito; no se escribió nada. Intente de nuevo.";
constexpr const char* kCardGivenBack = "Anulación automática: el depósito no se guardó";

// The bank account's ledger account and whether its bank-book concept puts money in.
struct BankSide {
    std::string ledger_account;
    bool money_in = true;
};

BankSide bank_side(data::Db& db, const std::string& business, const DepositConcept& c) {
    BankSide b;
    if (auto a = read_keyed_row<std::string>(
            db, "CUEN_LIB", "CUEN_LIB",
            data::order_key("CUEN_LIB", "CUEN_LIB", {business, c.bank, c.account}),
            [](const data::WDBTable& t) { return trim(t.str("CUENTA_CON")); }))
        b.ledger_account = *a;
    if (auto kind = read_keyed_row<int>(
            db, "CONCEPT5", "CONCEPT5",
            data::order_key("CONCEPT5", "CONCEPT5", {business, c.book_concept}),
            [](const data::WDBTable& t) { return static_cast<int>(t.num("TIPO").to_int()); }))
        b.money_in = *kind == 1;
    return b;
}

std::string account_name(data::Db& db, const std::string& business, const std::string& account) {
    return read_keyed_row<std::string>(
               db, "CUENTAS", "CUENTAS", data::order_key("CUENTAS", "CUENTAS", {business, account}),
               [](const data::WDBTable& t) { return trim(t.str("DESCRIP")); })
        .value_or("");
}

// Everything one save writes, decided before the transaction starts.
class DepositWriter {
public:
    DepositWriter(data::Db& db, Session& s, const DepositDraft& d, const DepositConcept& c,
                  const pos::CardAnswer* card)
        : m_db(db), m_s(s), m_d(d), m_c(c), m_card(card), m_now(db.clock().now()) {}

    // Runs inside the caller's transaction; returns the deposit's number.
    std::string write(DepositApplication& applied, std::vector<std::string>& problems) {
        m_movement = take_number();
        write_lines();
        m_booking = book(problems);
        applied = APLICAR_DEPOSITO(m_db, m_s.XU_COMP, stamp(), application());
        write_header(applied);
        return m_movement;
    }

private:
    std::string take_number() {
        const std::string n = GET_NXSERIAL(m_db, m_s.XU_COMP, m_c.series);
        if (is_no_serial(n)) throw data::TransactionAborted(kNoDepositSerial);
        return trim(n);
    }

    std::string full_name() const { return trim(trim(m_d.surname) + " " + trim(m_d.name)); }

    DepositStamp stamp() const { return {m_s.XUSER_ABREVIA, info_user(m_now)}; }

    DepositToApply application() const {
        return {m_movement,           m_d.number, m_d.date,        m_d.amount,
                m_d.reservation_rate, m_c,        m_d.reservations};
    }

    struct Booking {
        std::string voucher, bank_movement;
    };

    Booking book(std::vector<std::string>& problems) {
        Booking b;
        const BankSide bank =
            m_c.kind == kBankBookDeposit ? bank_side(m_db, m_s.XU_COMP, m_c) : BankSide{};
        if (m_c.kind == kBankBookDeposit) b.bank_movement = TRANSACCION(m_db, bank_entry());
        DepositPosting p;
        p.business = m_s.XU_COMP;
        p.movement = m_movement;
        p.currency = trim(m_d.currency);
        p.description = "Depósito " + m_movement + " " + full_name();
        p.date = m_d.date;
        p.amount = m_d.amount;
        p.rate = m_d.accounting_rate;
        p.kind = m_c.kind;
        p.bank_ledger_account = bank.ledger_account;
        p.money_in = bank.money_in;
        p.lines = m_d.counterpart;
        p.stamp = {m_s.XUSER_ABREVIA, info_user(m_now)};
        b.voucher = post_deposit(m_db, p);
        if (b.voucher.empty() && read_ledger_settings(m_db, m_s.XU_COMP).posts)
            problems.push_back(kNoVoucher);
        return b;
    }

    BankBookEntry bank_entry() const {
        BankBookEntry e;
        e.business = m_s.XU_COMP;
        e.bank = m_c.bank;
        e.account = m_c.account;
        e.book_concept = m_c.book_concept;
        e.made_by = m_d.made_by;
        e.amount = m_d.amount;
        e.description = m_d.comment;
        e.date = m_d.date;
        e.document = m_d.number;
        e.rate = m_d.accounting_rate;
        e.hotel_movement = m_movement;
        e.user = m_s.XUSER_ABREVIA;
        e.info_user = info_user(m_now);
        for (const auto& l : m_d.counterpart)
            if (!trim(l.account).empty())
                e.lines.push_back({trim(l.account), l.debit, l.credit,
                                   account_name(m_db, m_s.XU_COMP, trim(l.account))});
        return e;
    }

    void write_lines() {
        data::Table t = data::USE(m_db, "DET_HLIB", "DET_HLIB");
        for (const auto& l : m_d.counterpart) {
            if (trim(l.account).empty()) continue;
            data::ADD_NEW_REC(*t);
            t->FieldPut("NEGOCIO", m_s.XU_COMP);
            t->FieldPut("MOVIMIENTO", m_movement);
            t->FieldPut("CUENTA_CON", trim(l.account));
            t->FieldPut("DEBITO", l.debit);
            t->FieldPut("CREDITO", l.credit);
            t->FieldPut("DEB_PORC", l.debit_pct);
            t->FieldPut("CRED_PORC", l.credit_pct);
            data::UNLOCK_NEW_REC(*t);
        }
        data::KILLTABLA(m_db, t);
    }

    void put_card(data::WDBTable& t) const {
        if (!m_card) return;
        t.FieldPut("PE_TARJ", pos::masked_card(m_card->card));
        t.FieldPut("PE_REFNO", m_card->reference);
        t.FieldPut("PE_AUTID", m_card->authorisation);
        t.FieldPut("PE_TRACE_N", m_card->trace);
        t.FieldPut("PE_TIPO", Decimal(m_c.card_provider));
    }

    void write_header(const DepositApplication& a) {
        data::Table t = data::USE(m_db, "ENC_HLIB", "ENC_HLIB");
        data::ADD_NEW_REC(*t);
        t->FieldPut("NEGOCIO", m_s.XU_COMP);
        t->FieldPut("MOVIMIENTO", m_movement);
        t->FieldPut("CONCEPTO", m_c.code);
        t->FieldPut("MONEDA", trim(m_d.currency));
        t->FieldPut("FECHA", m_d.date);
        t->FieldPut("MONTO", m_d.amount);
        t->FieldPut("SALDO_IN", m_d.amount);
        t->FieldPut("SALDO", a.balance);
        t->FieldPut("VER", Decimal(a.balance == 0 ? 0 : 1));
        t->FieldPut("COD_RES", a.last_reservation);
        t->FieldPut("INCLUIDO", Decimal(a.last_reservation.empty() ? 0 : 1));
        t->FieldPut("NUM_DEP", m_d.number);
        t->FieldPut("TXT_NOMBRE", m_d.name);
        t->FieldPut("TXT_APELL1", m_d.surname);
        t->FieldPut("NOMBRE", full_name());
        t->FieldPut("ENTRADA", m_d.arrival);
        t->FieldPut("SALIDA", m_d.departure);
        t->FieldPut("COMENTARIO", m_d.comment);
        t->FieldPut("CAMBIO_RES", m_d.reservation_rate);
        t->FieldPut("CAMBIO_CON", m_d.accounting_rate);
        t->FieldPut("F_CREACION", m_now.date);
        t->FieldPut("H_CREACION", m_now.time);
        t->FieldPut("CAJA", cash::GET_CAJA_ABIERTA(m_s));
        t->FieldPut("HECHO_POR", m_d.made_by);
        t->FieldPut("ASIENTO", m_booking.voucher);
        t->FieldPut("MOV_LIB", m_booking.bank_movement);
        put_card(*t);
        t->FieldPut("USUARIO", m_s.XUSER_ABREVIA);
        t->FieldPut("INFO_USER", info_user(m_now));
        data::UNLOCK_NEW_REC(*t);
        data::KILLTABLA(m_db, t);
    }

    data::Db& m_db;
    Session& m_s;
    const DepositDraft& m_d;
    const DepositConcept& m_c;
    const pos::CardAnswer* m_card;
    DateTime m_now;
    std::string m_movement;
    Booking m_booking;
};

// The card payment of a concept with a terminal; nullopt when the payment was not approved
// (the user was told why).
std::optional<pos::CardAnswer> charge_card(UserPort& port, pos::CardTerminal& terminal,
                                           const std::string& business, const DepositConcept& c,
                                           const DepositDraft& d) {
    pos::CardRequest q;
    q.provider = c.card_provider;
    q.operation = pos::kCardPurchase;
    q.amount = d.amount;
    q.business = business;
    q.currency = trim(d.currency);
    pos::CardAnswer a = terminal.PAGO_ELECTRONICO(q);
    if (a.approved()) return a;
    // Without an answer the terminal has told the user already (no library, reading cancelled).
    if (a.status)
        port.message(MsgStyle::Error, "Error",
                     kCardDenied + (trim(a.message).empty() ? std::string(kBankError) : a.message));
    return std::nullopt;
}

}  // namespace

DepositSaveResult PROCESAR(data::Db& db, UserPort& port, const IniFile& ini, Session& s,
                           pos::CardTerminal& card, const DepositDraft& d) {
    DepositSaveResult r;
    const DepositCheck check = check_deposit(db, port, ini, s, d);
    r.focus = check.focus;
    if (!check.ok) return r;
    // Read again: another workstation may have deleted the concept since it was checked.
    const auto found = read_deposit_concept(db, s.XU_COMP, d.concept_code);
    if (!found) {
        port.message(MsgStyle::Error, "Error", kNoDepositConcept);
        r.focus = DepositField::Concept;
        return r;
    }
    const DepositConcept& concept_row = *found;
    if (read_ledger_settings(db, s.XU_COMP).posts && !check_mayorizar(db, port, s.XU_COMP, d.date))
        return r;
    std::optional<pos::CardAnswer> paid;
    if (concept_row.card_provider != 0) {
        paid = charge_card(port, card, s.XU_COMP, concept_row, d);
        if (!paid) return r;
    }
    DepositApplication applied;
    std::vector<std::string> problems;
    try {
        auto wait = port.wait(kProcessingData);
        data::Transaction tx(db, data::kTransDeposit);
        r.movement =
            DepositWriter(db, s, d, concept_row, paid ? &*paid : nullptr).write(applied, problems);
        tx.commit();
    } catch (const std::exception& e) {
        const auto* refused = dynamic_cast<const data::TransactionAborted*>(&e);
        port.message(MsgStyle::Error, "Error", refused ? e.what() : kDepositSaveFailed);
        if (paid)
            void_deposit_charge(db, port, card,
                                {s.XU_COMP, trim(d.currency), concept_row.card_provider, d.amount,
                                 paid->card, paid->reference, paid->authorisation, paid->trace},
                                kCardGivenBack);
        r.movement.clear();
        return r;
    }
    for (const auto& text : applied.skipped_messages)
        port.message(MsgStyle::Atencion, "Atencion", text);
    for (const auto& p : problems) port.message(MsgStyle::Atencion, "Atencion", p);
    r.saved = true;
    r.print_voucher = concept_row.prints;
    r.skipped = applied.skipped;
    return r;
}

}  // namespace qz::domain
