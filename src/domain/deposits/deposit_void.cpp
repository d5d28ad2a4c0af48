#include "domain/deposits/deposit_void.h"

#include <optional>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/sql.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/deposits/bank_book.h"
#include "domain/deposits/deposit_card.h"
#include "domain/deposits/deposit_posting.h"
#include "domain/deposits/deposit_record.h"
#include "domain/ledger/accounting_period.h"
#include "domain/ledger/active_month.h"
#include "domain/session/master_rows.h"

namespace qz::domain {

namespace {

constexpr const char* kVoidFailed =
    "No se pudo anular el depósito; no se modificó nada. Intente de nuevo.";
constexpr const char* kCardVoided = "Anulación del depósito";

std::string dates_refusal(data::Db& db, const std::string& business, const Date& date) {
    const ActiveMonth m = read_active_month(db, business);
    if (m.year != 0 && date.year() != m.year) return kOutsideActiveYear;
    if (m.month != 0 && date.month() != m.month) return kOutsideActiveMonth;
    const auto period = current_period(db, business);
    if (period && AccountingPeriod{date.year(), date.month()} < *period) return kOutsidePeriod;
    return "";
}

std::string master_of(data::Db& db, const std::string& business, const std::string& reservation) {
    return read_keyed_row<std::string>(
               db, "ENC_RES", "ENC_RES",
               data::order_key("ENC_RES", "ENC_RES", {business, reservation}),
               [](const data::WDBTable& t) { return trim(t.str("MAESTRA")); })
        .value_or("");
}

bool master_closed(data::Db& db, const std::string& business, const std::string& master) {
    return read_keyed_row<bool>(db, "MAESTRAS", "MAESTRAS",
                                data::order_key("MAESTRAS", "MAESTRAS", {business, master}),
                                [](const data::WDBTable& t) { return t.num("ESTADO") == 1; })
        .value_or(false);
}

// Why the rooms the deposit was applied to keep it: a guest in house or gone, or a closed master
// account. Read again under the transaction, where a check-in meanwhile is seen.
std::string rooms_refusal(data::Db& db, const std::string& business,
                          const std::vector<AppliedDeposit>& applications) {
    for (const AppliedDeposit& a : applications) {
        data::Table t = data::USE(db, "DET_RES2", "DET_RES2");
        const std::string key =
            data::order_key("DET_RES2", "DET_RES2", {business, a.reservation, a.room_type, a.item});
        const bool locked = lock_at_key(*t, key);
        const int state = locked ? static_cast<int>(t->num("ESTADO").to_int()) : kLineBooked;
        if (locked) data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(db, t);
        if (state == kLineInHouse)
            return std::string(kTiedCheckedIn) + "\n# Reserva :" + a.reservation;
        if (state == kLineCheckedOut)
            return std::string(kTiedCheckedOut) + "\n# Reserva :" + a.reservation;
        const std::string master = master_of(db, business, a.reservation);
        if (!master.empty() && master_closed(db, business, master))
            return std::string(kTiedClosedMaster) + "\nMaestra :" + master;
    }
    return "";
}

void remove_applications(data::Db& db, const std::string& business, const std::string& movement) {
    data::Table t = data::USE(db, "DET_RES8", "DET_RES82");
    const std::string key = data::order_key("DET_RES8", "DET_RES82", {business, movement});
    std::vector<long> rows;
    t->SetScope(key, key);
    for (t->GoTop(); !t->Eof(); t->Skip()) rows.push_back(t->RecNo());
    t->ClearScope();
    for (long recno : rows) {
        t->GoTo(recno);
        data::LOCK_FOR_MODIFY(*t);
        t->Delete();
        data::UNLOCK_FOR_MODIFY(*t);
    }
    data::KILLTABLA(db, t);
}

class DepositVoider {
public:
    DepositVoider(data::Db& db, Session& s, const DepositHeader& h)
        : m_db(db), m_s(s), m_h(h), m_now(db.clock().now()) {}

    // Inside the transaction; "" when done, else why it was refused.
    std::string run() {
        data::Table t = data::USE(m_db, "ENC_HLIB", "ENC_HLIB");
        if (!lock_at_key(*t,
                         data::order_key("ENC_HLIB", "ENC_HLIB", {m_s.XU_COMP, m_h.movement}))) {
            data::KILLTABLA(m_db, t);
            return kDepositMissing;
        }
        // Another workstation may have voided it since it was read.
        if (!trim(t->str("ANULADO")).empty()) {
            data::UNLOCK_FOR_MODIFY(*t);
            data::KILLTABLA(m_db, t);
            return kAlreadyVoided;
        }
        const auto applications = deposit_applications(m_db, m_s.XU_COMP, m_h.movement);
        if (const std::string why = rooms_refusal(m_db, m_s.XU_COMP, applications); !why.empty()) {
            data::UNLOCK_FOR_MODIFY(*t);
            data::KILLTABLA(m_db, t);
            return why;
        }
        const std::string description = deposit_void_description(m_h.movement);
        t->FieldPut("MOV_LIB_AN", reverse_bank(description));
        t->FieldPut("ASIENTO_AN", reverse_deposit_posting(m_db, m_s.XU_COMP, m_h.voucher,
                                                          m_h.movement, m_now.date, description,
                                                          {m_s.XUSER_ABREVIA, info_user(m_now)}));
        remove_applications(m_db, m_s.XU_COMP, m_h.movement);
        t->FieldPut("ANULADO", m_s.XUSER_ABREVIA.empty() ? std::string("?") : m_s.XUSER_ABREVIA);
        t->FieldPut("F_ANULA", m_now.date);
        t->FieldPut("H_ANULA", m_now.time);
        t->FieldPut("VER", Decimal(0));
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(m_db, t);
        return "";
    }

private:
    std::string reverse_bank(const std::string& description) {
        if (m_h.bank_movement.empty()) return "";
        const auto bank = deposit_bank_account(m_db, m_s.XU_COMP, m_h.movement);
        if (!bank)
            throw data::TransactionAborted("El movimiento de libro de bancos " + m_h.bank_movement +
                                           " no existe");
        return reverse_bank_book(m_db, m_s.XU_COMP, bank->first, bank->second, m_h.bank_movement,
                                 description);
    }

    data::Db& m_db;
    Session& m_s;
    const DepositHeader& m_h;
    DateTime m_now;
};

bool refuse_void(UserPort& port, const std::string& why) {
    port.message(MsgStyle::Error, "Error", why);
    return false;
}

}  // namespace

bool ANUL_DEP(data::Db& db, UserPort& port, Session& s, pos::CardTerminal& card,
              const std::string& movement) {
    const auto record = read_deposit(db, s.XU_COMP, movement);
    if (!record) return refuse_void(port, kDepositMissing);
    const DepositHeader& h = record->header;
    if (h.voided()) return refuse_void(port, kAlreadyVoided);
    if (const std::string why = dates_refusal(db, s.XU_COMP, h.date); !why.empty())
        return refuse_void(port, why);
    if (const std::string why = rooms_refusal(db, s.XU_COMP, record->applications); !why.empty())
        return refuse_void(port, why);
    if (!port.confirm("Anular Depósito", "Desea anular el Depósito " + h.movement + "?"))
        return false;
    try {
        data::Transaction tx(db, data::kTransDeposit);
        if (const std::string why = DepositVoider(db, s, h).run(); !why.empty()) {
            tx.rollback();
            return refuse_void(port, why);
        }
        tx.commit();
    } catch (const std::exception& e) {
        const auto* refused = dynamic_cast<const data::TransactionAborted*>(&e);
        return refuse_void(port, refused ? e.what() : kVoidFailed);
    }
    const bool paid_by_card =
        h.card_provider != 0 && (!h.card_reference.empty() || !h.card_authorisation.empty());
    if (paid_by_card)
        void_deposit_charge(db, port, card,
                            {h.business, h.currency, h.card_provider, h.amount, h.card,
                             h.card_reference, h.card_authorisation, h.card_trace},
                            kCardVoided);
    return true;
}

}  // namespace qz::domain
