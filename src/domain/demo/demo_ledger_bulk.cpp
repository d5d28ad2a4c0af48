#include "domain/demo/demo_ledger_bulk.h"

#include <chrono>
#include <random>
#include <vector>

#include "core/stamp.h"
#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/customers/customer_save.h"
#include "domain/demo/demo_ledger_payments.h"
#include "domain/demo/demo_rows.h"
#include "domain/ledger/customer_reclassification.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/rate_rows.h"
#include "domain/session/master_rows.h"

namespace qz::domain::demo {

namespace {

// Documents committed together: small enough that a failure loses little, large enough that
// the commit is not what the run waits on.
constexpr long kBatch = 250;

const char* const kFirst[] = {"Ana",   "Luis",   "María", "Carlos", "Sofía", "Jorge",
                              "Laura", "Andrés", "Elena", "Diego",  "Paula", "Mario"};
const char* const kLast[] = {"Solano", "Vargas", "Rojas",  "Mora",  "Jiménez", "Quesada",
                             "Castro", "Araya",  "Chaves", "Salas", "Brenes",  "Villalobos"};

class Maker {
public:
    Maker(data::Db& db, UserPort& port, const LedgerRequest& r)
        : m_db(db), m_port(port), m_r(r), m_rng(r.seed), m_today(db.clock().now().date) {}

    bool customers();
    void rates();
    bool documents(const std::function<void(long)>& progress);
    bool payments() {
        return make_demo_payments(m_db, m_port, m_payable, m_r.documents / 2, m_rng, made);
    }
    LedgerMade made;

private:
    long pick(long lo, long hi) { return std::uniform_int_distribution<long>(lo, hi)(m_rng); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    std::string customer_code(long i) const;
    bool save_customer(long i);
    void change_status(const std::string& code, const Date& when);
    Decimal amount(bool dollars);
    bool one_document(GEN_DOC& gen, long i);

    data::Db& m_db;
    UserPort& m_port;
    LedgerRequest m_r;
    std::mt19937 m_rng;
    Date m_today;
    std::vector<std::string> m_codes;
    std::vector<PayableDocument> m_payable;
};

std::string Maker::customer_code(long i) const {
    std::string n = std::to_string(i);
    return "DL" + std::string(n.size() < 6 ? 6 - n.size() : 0, '0') + n;
}

// What the editor asks of every branch: currency and price type of the limit, an agent (none)
// and the concept suggested for its documents.
void fill_branch(customers::Branch& b) {
    b.limit_currency = kColones;
    b.price_type = "01";
    b.agent = "";
    b.doc_concept = "FA";
}

bool Maker::save_customer(long i) {
    const std::string code = customer_code(i);
    const Date admitted = m_today - m_r.years * 365 - pick(0, 365);
    customers::CustomerForm f = customers::new_customer_form(admitted, "01");
    f.customer.code = code;
    f.customer.name =
        std::string(kFirst[pick(0, 11)]) + " " + kLast[pick(0, 11)] + " " + kLast[pick(0, 11)];
    f.customer.legal_id = code;
    f.customer.clas1 = chance(70) ? "01" : "02";
    for (auto& row : f.branches) fill_branch(row.branch);
    auto& principal = f.branches[0].branch;
    principal.name = f.customer.name;
    principal.address = "San José, Costa Rica";
    principal.limit = Decimal(pick(5, 50) * 100000);
    principal.limit_currency = kColones;
    if (chance(30)) {
        customers::BranchRow second;
        second.branch.code = "02";
        second.branch.name = f.customer.name + " - Sucursal";
        second.branch.max_days = 45;
        fill_branch(second.branch);
        f.branches.push_back(second);
    }
    customers::SaveContext ctx{m_db.XUSER_ABREVIA, {}};
    if (!customers::save_customer(m_db, m_port, kBiz, f, ctx).saved) return false;
    m_codes.push_back(code);
    ++made.customers;
    made.branches += static_cast<long>(f.branches.size());
    // Some customers left for a while and came back: their status history shows it.
    if (chance(10)) change_status(code, admitted + pick(60, 300));
    return true;
}

void Maker::change_status(const std::string& code, const Date& when) {
    const JournalStamp stamp{m_db.XUSER_ABREVIA, info_user(m_db.clock().now())};
    customers::SaveContext ctx{m_db.XUSER_ABREVIA,
                               [&](data::Db& db, const customers::StatusChange& c) {
                                   post_customer_reclassification(db, kBiz, c, stamp);
                               }};
    for (bool active : {false, true}) {
        auto f = customers::customer_form(m_db, kBiz, code);
        if (!f) return;
        f->customer.active = active;
        if (!active) {
            f->customer.withdrawn = when;
            f->customer.reason = customers::kSolicito;
        } else {
            f->customer.admitted = when + 30;
            f->customer.reason = customers::kNoReason;
        }
        if (customers::save_customer(m_db, m_port, kBiz, *f, ctx).saved) ++made.status_changes;
    }
}

bool Maker::customers() {
    for (long i = 1; i <= m_r.customers; ++i)
        if (!save_customer(i)) return false;
    return true;
}

// A dollar rate for every day of the period that has none yet, wandering around 520 colones.
void Maker::rates() {
    const Date first = m_today - m_r.years * 365 - 1;
    Decimal rate = Decimal::parse("520.00");
    for (Date d = first; d <= m_today; d = d + 1) {
        rate += Decimal(pick(-150, 150)) / 100;
        if (key_exists(m_db, "T_CAMBIO", "T_CAMBIO", {kBiz, kDollars, kColones, d})) continue;
        DatedRate r{kDollars, kColones, d, {rate, rate - 2, rate + 2, rate, rate}};
        if (add_dated_rate(m_db, m_port, kBiz, m_db.XUSER_ABREVIA, r)) ++made.rate_days;
    }
}

Decimal Maker::amount(bool dollars) {
    return dollars ? Decimal(pick(2000, 150000)) / 100 : Decimal(pick(500, 900000) * 100) / 100;
}

bool Maker::one_document(GEN_DOC& gen, long i) {
    const std::string& customer =
        m_codes[static_cast<size_t>(pick(0, static_cast<long>(m_codes.size()) - 1))];
    NewDocument d;
    const long kind = pick(1, 100);
    d.concept_code = kind <= 55 ? "FA" : kind <= 70 ? "FP" : kind <= 85 ? "ND" : "NC";
    const bool dollars = chance(25);
    d.currency = dollars ? kDollars : kColones;
    d.amount = amount(dollars);
    d.customer = customer;
    d.branch = "01";
    d.customer_name = customer;
    d.description = "Documento de demostración " + std::to_string(i);
    // Spread evenly over the period, oldest first, so numbers follow dates.
    const long span = m_r.years * 365L;
    d.date = m_today - span + (span * i) / std::max(1L, m_r.documents);
    d.time = "10:00:00";
    auto number = gen.NEW_DOC(d);
    if (!number) return false;
    ++made.documents;
    if (dollars) ++made.foreign;
    if (d.concept_code == "FP") ++made.instalment;
    if (d.concept_code == "NC") ++made.credit_notes;
    if (chance(3) && d.concept_code != "NC") {
        NewDocument a;
        a.annul = true;
        a.number = *number;
        a.date = std::min(d.date + pick(0, 20), m_today);
        if (gen.NEW_DOC(a)) ++made.annulled;
    } else if (d.concept_code != "NC") {
        m_payable.push_back({*number, customer, d.currency, d.date});
    }
    return true;
}

bool Maker::documents(const std::function<void(long)>& progress) {
    for (long done = 0; done < m_r.documents;) {
        data::Transaction tx(m_db);
        GEN_DOC gen(m_db, m_port, kBiz);
        const long end = std::min(m_r.documents, done + kBatch);
        for (; done < end; ++done)
            if (!one_document(gen, done + 1)) return false;
        tx.commit();
        if (progress) progress(done);
    }
    return true;
}

}  // namespace

std::optional<LedgerMade> make_demo_ledger(data::Db& db, UserPort& port, const LedgerRequest& r,
                                           const std::function<void(long)>& progress) {
    if (!key_exists(db, "NEGOCIOS", "NEGOCIOS", {kBiz})) {
        refuse(port, "La empresa de demostración no está instalada: ejecute quartzen init --demo");
        return std::nullopt;
    }
    if (r.customers < 1 || r.documents < 0 || r.years < 1 || r.years > 20) {
        refuse(port, "Cantidades fuera de rango: al menos un cliente y de 1 a 20 años");
        return std::nullopt;
    }
    const auto start = std::chrono::steady_clock::now();
    if (db.XUSER_ABREVIA.empty()) db.XUSER_ABREVIA = "SUP";
    Maker m(db, port, r);
    if (!m.customers()) return std::nullopt;
    m.rates();
    const auto documents_start = std::chrono::steady_clock::now();
    if (!m.documents(progress)) return std::nullopt;
    m.made.document_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - documents_start).count();
    if (!m.payments()) return std::nullopt;
    m.made.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return m.made;
}

std::string describe(const LedgerMade& m) {
    auto line = [](const char* what, long n) {
        return std::string(what) + std::to_string(n) + "\n";
    };
    std::string out;
    out += line("Clientes: ", m.customers);
    out += line("Sucursales: ", m.branches);
    out += line("Cambios de estado: ", m.status_changes);
    out += line("Días con tipo de cambio nuevo: ", m.rate_days);
    out += line("Documentos: ", m.documents);
    out += line("  en dólares: ", m.foreign);
    out += line("  a plazos: ", m.instalment);
    out += line("  notas de crédito: ", m.credit_notes);
    out += line("  anulados: ", m.annulled);
    out += line("Abonos: ", m.payments);
    out += line("  parciales: ", m.partial);
    out += line("  en otra moneda: ", m.foreign_payments);
    out += line("  con dos formas de pago: ", m.split_tenders);
    out += line("  con nota de crédito por exceso: ", m.excess_notes);
    out += line("  anulados: ", m.annulled_payments);
    auto per_second = [](long n, double s) { return s > 0 ? n / s : 0.0; };
    char secs[128];
    std::snprintf(secs, sizeof secs, "Tiempo: %.1f s (%.0f documentos/s, %.0f abonos/s)\n",
                  m.seconds, per_second(m.documents, m.document_seconds),
                  per_second(m.payments, m.payment_seconds));
    out += secs;
    return out;
}

}  // namespace qz::domain::demo
