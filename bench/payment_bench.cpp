// Processing a payment that applies to 20 documents, ten in colones and ten in dollars (converted
// at the payment's rate), with one cash tender: PROCESA_ABONO (the checks, the documents locked
// and compared, the receipt numbered, applications, balances, revaluations, tender, rates and the
// journal voucher) against the bare inserts and updates of the same rows in one transaction, on
// SQLite and (with QZ_BENCH_PG) PostgreSQL. The draft is built outside the measured time, as the
// clerk builds it before pressing "F12: PROCESAR". The register has no pass code: verifying one
// is an argon2id hash that costs about 50 ms on purpose.
//
// Counters: "ms" per payment, "x_sql" how many times slower than the bare statements.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <vector>

#include "bench_install.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/demo/demo_data.h"
#include "domain/ledger/document_service.h"
#include "domain/ledger/payment_posting.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL", kCustomer = "3101123456";
const Date kDay(2026, 5, 20);
constexpr int kDocuments = 20;

using Fixture = bench::BenchInstall;
std::vector<std::string> g_documents;

void fill(Db& db, UserPort& port) {
    domain::install_demo_data(db);
    Table reg = USE(db, "ENC_RCAJ", "ENC_RCAJ");
    reg->Seek(order_key("ENC_RCAJ", "ENC_RCAJ", {kBiz, "CXC1"}));
    LOCK_FOR_MODIFY(*reg);
    reg->FieldPut("PASSWORD", std::string());
    UNLOCK_FOR_MODIFY(*reg);
    KILLTABLA(db, reg);
    // Dollar documents issued at an older rate, so the first payment revalues them.
    for (int i = 0; i < kDocuments; ++i) {
        domain::NewDocument d;
        const bool dollars = i % 2 == 1;
        d.amount = Decimal::parse(dollars ? "100000.00" : "10000000.00");
        d.concept_code = "ND";
        d.currency = dollars ? "US" : "CO";
        d.customer = kCustomer;
        d.branch = "01";
        d.date = dollars ? Date(2026, 4, 20) : kDay;
        g_documents.push_back(domain::GEN_DOC(db, port, kBiz).NEW_DOC(d).value_or(""));
    }
}

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "payment_bench", pg,
        [](Fixture& f) {
            f.clock.freeze(DateTime{kDay, "09:00:00"});
        },
        [](Db& db) { fill(db, db.port()); });
}

domain::PaymentDraft draft(Fixture& f) {
    domain::PaymentDraft d(*f.db, f.port, kBiz);
    d.set_register("CXC1");
    d.set_clerk("0001");
    d.set_block("01");
    d.set_customer(kCustomer);
    for (int i = 0; i < kDocuments; ++i) {
        d.PASADOC(g_documents[static_cast<size_t>(i)]);
        d.set_line_total(static_cast<size_t>(i), Decimal(100));
    }
    d.adjust_amount();
    domain::PaymentTender t;
    t.method = "EF";
    t.amount = d.header().amount;
    d.add_tender(t);
    return d;
}

// How many rows of the tables that vary with the documents one payment wrote: its voucher
// lines (applications, exchange differences, tenders), its revaluations and its rates.
struct Written {
    int voucher_lines = 0, revaluations = 0, rates = 0;
};

Written written_by(Db& db, const std::string& receipt) {
    auto count = [&](const std::string& table, const std::string& field) {
        auto st =
            db.conn().prepare("SELECT COUNT(*) FROM \"" + table + "\" WHERE \"" + field + "\" = ?");
        st->bind(1, receipt);
        return st->step() ? static_cast<int>(st->int_at(0)) : 0;
    };
    return {count("DET_AS", "DOCUMENTO"), count("DET_DOC3", "MOVIMIENTO"),
            count("DET_MOV3", "MOVIMIENTO")};
}

// The rows the payment writes, as bare statements each prepared once: a header, an application
// and a balance per document, the revaluations, the tender, the rates, the voucher lines, the
// receipt series and the voucher's stamp.
class BarePayment {
public:
    BarePayment(Db& db, Written rows)
        : m_db(db),
          m_rows(rows),
          m_header(prepare("INSERT INTO \"ENC_MOVE\" (\"NEGOCIO\", \"MOVIMIENTO\", \"CLIENTE\", "
                           "\"MONTO\") VALUES (?, ?, ?, ?)")),
          m_line(prepare("INSERT INTO \"DET_MOVE\" (\"NEGOCIO\", \"MOVIMIENTO\", "
                         "\"DOCUMENTO\", \"MONTO\") VALUES (?, ?, ?, ?)")),
          m_balance(prepare("UPDATE \"DOCUMENT\" SET \"SALDO\" = \"SALDO\" - 0, \"INTERES\" = "
                            "\"INTERES\" + 0 WHERE \"NEGOCIO\" = ? AND \"DOCUMENTO\" = ?")),
          m_entry(prepare("INSERT INTO \"DET_AS\" (\"NEGOCIO\", \"MOVIMIENTO\", \"CUENTA\", "
                          "\"DEBITO\") VALUES (?, ?, ?, ?)")),
          m_tender(prepare("INSERT INTO \"DET_MOV2\" (\"NEGOCIO\", \"MOVIMIENTO\", \"CODIGO\", "
                           "\"MONTO\") VALUES (?, ?, ?, ?)")),
          m_rate(prepare("INSERT INTO \"DET_MOV3\" (\"NEGOCIO\", \"MOVIMIENTO\", \"MONEDA_1\") "
                         "VALUES (?, ?, ?)")),
          m_revaluation(prepare("INSERT INTO \"DET_DOC3\" (\"NEGOCIO\", \"DOCUMENTO\", "
                                "\"MOVIMIENTO\", \"M_AJUSTE\") VALUES (?, ?, ?, ?)")),
          m_series(prepare("UPDATE \"SERIALES\" SET \"NUMERO\" = \"NUMERO\" WHERE \"NEGOCIO\" = ? "
                           "AND \"CODIGO\" = ?")),
          m_stamp(prepare("UPDATE \"ENC_AS\" SET \"HORA_MOD\" = ? WHERE \"NEGOCIO\" = ? AND "
                          "\"MOVIMIENTO\" = ?")) {}

    void write(int n) {
        const std::string receipt = "BARE" + std::to_string(n);
        Transaction tx(m_db);
        run(*m_header, {kBiz, receipt, kCustomer, int64_t{200000}});
        for (const auto& doc : g_documents) {
            run(*m_line, {kBiz, receipt, doc, int64_t{10000}});
            run(*m_balance, {kBiz, doc});
        }
        for (int i = 0; i < m_rows.revaluations; ++i)
            run(*m_revaluation, {kBiz, g_documents[static_cast<size_t>(i) % g_documents.size()],
                                 receipt, int64_t{500}});
        run(*m_tender, {kBiz, receipt, std::string("EF"), int64_t{200000}});
        for (int i = 0; i < m_rows.rates; ++i) run(*m_rate, {kBiz, receipt, std::string("US")});
        for (int i = 0; i < m_rows.voucher_lines; ++i)
            run(*m_entry, {kBiz, receipt, std::string("1-02-01"), int64_t{10000}});
        run(*m_series, {kBiz, std::string("RECIBO")});
        run(*m_stamp, {std::string("09:00:00"), kBiz, std::string("A000001")});
        tx.commit();
    }

private:
    std::unique_ptr<Statement> prepare(const std::string& sql) { return m_db.conn().prepare(sql); }
    static void run(Statement& st, const std::vector<SqlValue>& values) {
        for (size_t i = 0; i < values.size(); ++i) st.bind(static_cast<int>(i + 1), values[i]);
        st.step();
        st.reset();
    }

    Db& m_db;
    Written m_rows;
    std::unique_ptr<Statement> m_header, m_line, m_balance, m_entry, m_tender, m_rate,
        m_revaluation, m_series, m_stamp;
};

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_ProcessPaymentOfTwentyDocuments(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    std::optional<BarePayment> bare;
    static int bare_numbers = 0;  // every run of the benchmark writes new receipts
    double tl = 0, tb = 0;
    int n = 0;
    for (auto _ : state) {
        const domain::PaymentDraft d = draft(f);
        const auto a = Steady::now();
        const auto receipt = domain::PROCESA_ABONO(*f.db, f.port, d);
        const auto b = Steady::now();
        if (!bare) bare.emplace(*f.db, written_by(*f.db, receipt.value_or("")));
        const auto bare_start = Steady::now();
        bare->write(++bare_numbers);
        ++n;
        const auto c = Steady::now();
        if (!receipt) state.SkipWithError("the payment was refused");
        tl += secs(a, b);
        tb += secs(bare_start, c);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["ms"] = n ? tl * 1000 / n : 0;
    state.counters["x_sql"] = tb > 0 ? tl / tb : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_ProcessPaymentOfTwentyDocuments)
    ->Apply(engines)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
