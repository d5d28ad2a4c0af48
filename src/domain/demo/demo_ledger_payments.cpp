#include "domain/demo/demo_ledger_payments.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "data/transaction.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/accounting_period.h"
#include "domain/ledger/active_month.h"
#include "domain/ledger/payment_annulment.h"
#include "domain/ledger/payment_draft.h"
#include "domain/ledger/payment_posting.h"
#include "domain/session/master_rows.h"

namespace qz::domain::demo {

namespace {

// Payments committed together. The engine's own transaction joins the batch's, so a hundred
// payments cost one commit instead of a hundred; a refusal loses the batch and stops the run.
constexpr long kBatch = 100;

// The register of the unattended run. It has no pass code: nobody is there to type one, and
// checking one is an argon2id hash of about 50 ms on purpose, which would be most of the run.
const std::string kRegister = "CXCD";
const std::string kClerk = "0001";
const std::string kBlock = "01";
const std::string kExcessConcept = "NC";

// The run stands in for the clerk: it answers yes to what a clerk confirms (a date outside the
// active month, the annulment's question) and keeps the engine's notices of success to itself;
// refusals and warnings reach the person who started it.
class BatchPort : public UserPort {
public:
    explicit BatchPort(UserPort& to) : m_to(to) {}
    void message(MsgStyle style, const std::string& title, const std::string& text) override {
        if (style != MsgStyle::Aviso) m_to.message(style, title, text);
    }
    bool confirm(const std::string&, const std::string&) override { return true; }
    std::unique_ptr<WaitWindow> wait(const std::string& title) override { return m_to.wait(title); }

private:
    UserPort& m_to;
};

enum class Outcome { Paid, PassedOver, Refused };

class Payer {
public:
    Payer(data::Db& db, UserPort& port, const std::vector<PayableDocument>& documents,
          std::mt19937& rng, LedgerMade& made)
        : m_db(db),
          m_port(port),
          m_documents(documents),
          m_rng(rng),
          m_made(made),
          m_active(read_active_month(db, kBiz)) {}

    bool run(long count);

private:
    long pick(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    void open_window();
    void ensure_register();
    Outcome pay(const PayableDocument& doc);
    void add_tenders(PaymentDraft& d);
    bool annul(const std::string& receipt, const Date& paid);

    data::Db& m_db;
    BatchPort m_port;
    const std::vector<PayableDocument>& m_documents;
    std::mt19937& m_rng;
    LedgerMade& m_made;
    ActiveMonth m_active;
    Date m_from, m_to;  // the days a payment may be dated
};

// A closed accounting period takes no payment, and with OBLIGA_MES neither does a day outside
// the active month.
void Payer::open_window() {
    const Date today = m_db.clock().XDATE();
    m_to = today;
    m_from = today - 20 * 366L;
    const PeriodSettings p = read_period_settings(m_db, kBiz);
    if (p.current) {
        Date first(p.current->year, p.current->month, 1);
        if (p.one_voucher) first = first.add_months(1);
        m_from = std::max(m_from, first);
    }
    if (m_active.enforced && m_active.month >= 1 && m_active.month <= 12) {
        const Date first(m_active.year, m_active.month, 1);
        m_from = std::max(m_from, first);
        m_to = std::min(m_to, first.add_months(1) - 1);
    }
}

void Payer::ensure_register() {
    if (key_exists(m_db, "ENC_RCAJ", "ENC_RCAJ", {kBiz, kRegister})) return;
    RowWriter reg(m_db, "ENC_RCAJ");
    reg.add({{"CODIGO", kRegister.c_str()},
             {"DESCRIP", "Caja de Cobros de Demostración"},
             {"ESTADO", "A"}});
}

// The money a clerk types over the concept's default tender: cash or a cheque, and now and then
// part in cash and the rest by card.
void Payer::add_tenders(PaymentDraft& d) {
    for (size_t i = d.tenders().size(); i-- > 0;) d.remove_tender(i);
    const Decimal total = d.header().amount;
    PaymentTender t;
    if (chance(15) && total >= Decimal(10)) {
        t.method = "EF";
        t.amount = (total * Decimal(pick(30, 70)) / Decimal(100)).round(2);
        d.add_tender(t);
        t.method = "TC";
        t.amount = total - t.amount;
        t.voucher = std::to_string(pick(100000, 999999));
        t.authorisation = std::to_string(pick(1000, 9999));
        d.add_tender(t);
        ++m_made.split_tenders;
        return;
    }
    t.method = chance(80) ? "EF" : "CH";
    t.amount = total;
    d.add_tender(t);
}

Outcome Payer::pay(const PayableDocument& doc) {
    const auto found = applied_document(m_db, kBiz, doc.number);
    const Date earliest = std::max(m_from, doc.date);
    if (!found || found->balance_read.sign() <= 0 || m_to < earliest) return Outcome::PassedOver;
    const Date date = earliest + pick(0, m_to - earliest);
    PaymentDraft d(m_db, m_port, kBiz);
    d.set_register(kRegister);
    d.set_clerk(kClerk);
    d.set_block(kBlock);
    d.set_date(date);
    const bool foreign = chance(20);
    d.set_currency(foreign ? (doc.currency == kColones ? kDollars : kColones) : doc.currency);
    d.set_customer(doc.customer);
    const Decimal whole = (found->balance_read * d.factor_to_payment(doc.currency)).round(2);
    if (whole.sign() <= 0) return Outcome::PassedOver;
    // An instalment document takes all the money offered, interest first: it is never over-paid
    // and a whole balance leaves its interest to be paid.
    const long kind = found->instalments ? 50 : pick(1, 100);
    Decimal amount = whole;
    if (kind <= 30) amount = (whole * Decimal(pick(20, 80)) / Decimal(100)).round(2);
    if (kind > 90)
        amount +=
            d.header().currency == kDollars ? Decimal(pick(1, 50)) : Decimal(pick(5, 500) * 100);
    if (amount.sign() <= 0) return Outcome::PassedOver;
    d.set_amount(amount);
    if (!d.PASADOC(doc.number)) return Outcome::Refused;
    // An instalment document in the other currency splits the money in its own and takes back
    // a cent more or less: the clerk's "Ajustar" makes the amount what the lines take.
    if (kind <= 90)
        d.adjust_amount();
    else if (!d.add_excess_note(kExcessConcept))
        return Outcome::Refused;
    add_tenders(d);
    const auto receipt = PROCESA_ABONO(m_db, m_port, d);
    if (!receipt) return Outcome::Refused;
    ++m_made.payments;
    if (foreign) ++m_made.foreign_payments;
    if (kind > 90) ++m_made.excess_notes;
    if (d.lines().front().new_balance.sign() > 0) ++m_made.partial;
    if (chance(2) && !annul(*receipt, date)) return Outcome::Refused;
    return Outcome::Paid;
}

// A payment is annulled in the active month, on its own date or on the first of that month.
bool Payer::annul(const std::string& receipt, const Date& paid) {
    if (m_active.month < 1 || m_active.month > 12) return true;
    const Date on = std::max(paid, Date(m_active.year, m_active.month, 1));
    if (on.month() != m_active.month || on.year() != m_active.year) return true;
    if (!ANULA_MOVE(m_db, m_port, kBiz, receipt, on)) return false;
    ++m_made.annulled_payments;
    return true;
}

bool Payer::run(long count) {
    if (m_documents.empty() || count <= 0) return true;
    open_window();
    ensure_register();
    // Documents drawn at random may all be settled: the run gives up after as many tries again.
    long tries = 3 * count + 10;
    for (long done = 0; done < count && tries > 0;) {
        data::Transaction tx(m_db);
        const long end = std::min(count, done + kBatch);
        while (done < end && tries-- > 0) {
            const auto& doc = m_documents[static_cast<size_t>(
                pick(0, static_cast<long>(m_documents.size()) - 1))];
            const Outcome o = pay(doc);
            if (o == Outcome::Refused) return false;
            if (o == Outcome::Paid) ++done;
        }
        tx.commit();
    }
    return true;
}

}  // namespace

bool make_demo_payments(data::Db& db, UserPort& port, const std::vector<PayableDocument>& documents,
                        long count, std::mt19937& rng, LedgerMade& made) {
    const auto start = std::chrono::steady_clock::now();
    const bool done = Payer(db, port, documents, rng, made).run(count);
    made.payment_seconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return done;
}

}  // namespace qz::domain::demo
