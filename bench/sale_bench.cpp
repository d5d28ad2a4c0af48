// Saving a point-of-sale sale: a 10-line cash sale paid with two tenders (cash and card) with
// accounting on, through SaleSave::PROC_BOK (the checks, the document numbered, its lines, stock
// and inventory issue, the receipt with its tenders, the journal voucher), against the bare
// writes: the very rows the first sale wrote, inserted again by plain prepared statements, and
// the same kind of updates, in one transaction; and a 200-line sale that the concept's
// MAX_LINEAS = 20 splits into ten documents. The drafts are typed outside the measured time, as
// the cashier types them before pressing OK.
//
// Counters: "ms" per sale, "x_sql" how many times slower than the bare writes, "rows" the rows
// one sale writes, "documents" written per sale.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "bench_install.h"
#include "core/stamp.h"
#include "core/text.h"
#include "data/catalogue.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/cash/register_defaults.h"
#include "domain/cash/register_opening.h"
#include "domain/demo/demo_data.h"
#include "domain/ledger/payment_setup.h"
#include "domain/pos/articles.h"
#include "domain/pos/sale_save.h"
#include "domain/session/master_rows.h"

using namespace qz;
using namespace qz::data;
using Steady = std::chrono::steady_clock;

namespace {

const std::string kBiz = "HOTEL", kRegister = "SPA1";
const Date kDay(2026, 5, 20);

using Fixture = bench::BenchInstall;
std::vector<std::string> g_services;  // articles without stock to run out of

void set_field(Db& db, const std::string& table, const std::string& key, const std::string& field,
               const Value& v) {
    Table t = USE(db, table, table);
    if (t->Seek(key)) {
        LOCK_FOR_MODIFY(*t);
        t->FieldPut(field, v);
        UNLOCK_FOR_MODIFY(*t);
    }
    KILLTABLA(db, t);
}

void fill(Db& db, UserPort& port) {
    domain::install_demo_data(db);
    set_field(db, "F_FAC", business_key(kBiz), "AFECTA_CON", Decimal(1));
    domain::for_business_rows(db, "DEF_ART", kBiz, [](const WDBTable& t) {
        const auto a = domain::pos::article_from_row(t);
        if (!a.stocked) g_services.push_back(trim(a.code));
    });
    domain::cash::OpenRequest r{kBiz, kRegister, "0001", "SPA1", "1111", Decimal(0)};
    if (!domain::cash::ABRE_CAJA(db, port, domain::cash::kPosRegisters, r))
        throw std::runtime_error("the demonstration's register did not open");
}

Fixture& fixture(bool pg) {
    return bench::bench_install(
        "sale_bench", pg,
        [](Fixture& f) {
            f.clock.freeze(DateTime{kDay, "09:00:00"});
        },
        [](Db& db) { fill(db, db.port()); });
}

class Hooks : public domain::pos::SaleSaveHooks {
public:
    bool credit_control(const domain::customers::Branch&, const domain::customers::CreditFigures&,
                        bool) override {
        return true;
    }
    bool take_tenders(const std::string&) override { return true; }
    void attention_data() override {}
    void card_capture() override {}
    void focus_lines() override {}
};

struct TypedSale {
    std::unique_ptr<domain::pos::SaleDraft> draft;
    std::vector<domain::pos::TenderRow> tenders;
};

TypedSale type_sale(Fixture& f, int lines) {
    TypedSale s;
    s.draft =
        std::make_unique<domain::pos::SaleDraft>(*f.db, f.port, kBiz, domain::pos::SaleMode{});
    const auto reg =
        domain::cash::read_register(*f.db, domain::cash::kPosRegisters, kBiz, kRegister);
    s.draft->PARAMS_CAJA(domain::cash::sale_defaults(*reg));
    for (int i = 0; i < lines; ++i)
        s.draft->bring_line({g_services[static_cast<size_t>(i) % g_services.size()], Decimal(1),
                             Decimal(10000 + i), Decimal(0), ""});
    const Decimal due = s.draft->DISPLAY_TOT().amount_due;
    const Decimal cash = ROUND5(due / Decimal(2));
    domain::pos::TenderRow a, b;
    a.code = "EF";
    a.amount = cash;
    b.code = "TC";
    b.amount = due - cash;
    b.voucher = "V1";
    b.authorisation = "A1";
    s.tenders = {a, b};
    s.draft->set_paid(due);
    return s;
}

std::optional<domain::pos::SavedSale> save(Fixture& f, TypedSale& s) {
    static Hooks hooks;
    static domain::pos::UnconfiguredCardTerminal terminal(f.port);
    domain::pos::SaleSave saver(*f.db, f.port, hooks, terminal);
    domain::pos::SaleSaveContext ctx;
    ctx.business = kBiz;
    ctx.register_code = kRegister;
    ctx.operator_code = "0001";
    ctx.user = "SUP";
    ctx.date = kDay;
    return saver.PROC_BOK(*s.draft, s.tenders, {}, ctx);
}

// The highest record number of every shared table, to learn afterwards which rows a sale wrote.
std::map<std::string, int64_t> watermarks(Db& db) {
    std::map<std::string, int64_t> out;
    for (const auto& name : Catalogue::instance().names()) {
        const TableDef* t = Catalogue::instance().find(name);
        if (t->is_template()) continue;
        auto st =
            db.conn().prepare("SELECT COALESCE(MAX(\"qz_recno\"), 0) FROM \"" + t->name() + "\"");
        out[t->name()] = st->step() ? st->int_at(0) : 0;
    }
    return out;
}

// The very rows one sale wrote, every field of them, inserted again by plain prepared
// statements with the fields of their unique orders retagged so each copy has keys of its own;
// and the updates a sale makes: the stock of every line, the series it draws and the document's
// balance. This is what the save cannot do with less: the same rows, the same indexes to keep.
class BareSale {
public:
    BareSale(Db& db, const std::map<std::string, int64_t>& before, int lines)
        : m_db(db), m_lines(lines) {
        for (const auto& [table, mark] : before) {
            const TableDef& t = *Catalogue::instance().find(table);
            Insert ins;
            ins.rows = written_since(t, mark);
            if (ins.rows.empty()) continue;
            ins.tagged = unique_fields(t);
            std::string names, marks;
            for (const FieldDef& f : t.fields()) {
                names += (names.empty() ? "\"" : ", \"") + f.name + "\"";
                marks += marks.empty() ? "?" : ", ?";
                ins.widths.push_back(f.width);
            }
            ins.stmt =
                prepare("INSERT INTO \"" + t.name() + "\" (" + names + ") VALUES (" + marks + ")");
            m_inserts.push_back(std::move(ins));
        }
        m_stock = prepare(
            "UPDATE \"ARTICULO\" SET \"CANTIDAD\" = \"CANTIDAD\" WHERE "
            "\"NEGOCIO\" = ? AND \"ARTICULO\" = ?");
        m_series = prepare(
            "UPDATE \"SERIALES\" SET \"NUMERO\" = \"NUMERO\" WHERE \"NEGOCIO\" = ? "
            "AND \"CODIGO\" = ?");
        m_balance = prepare(
            "UPDATE \"DOCUMENT\" SET \"SALDO\" = \"SALDO\" WHERE \"NEGOCIO\" = ? "
            "AND \"DOCUMENTO\" = ?");
    }

    size_t rows() const {
        size_t n = 0;
        for (const auto& ins : m_inserts) n += ins.rows.size();
        return n;
    }

    void write(int n) {
        Transaction tx(m_db);
        for (auto& ins : m_inserts)
            for (size_t i = 0; i < ins.rows.size(); ++i) {
                const std::string tag = "B" + std::to_string(n) + "_" + std::to_string(i);
                for (size_t p = 0; p < ins.widths.size(); ++p) {
                    SqlValue v = ins.rows[i][p];
                    if (ins.tagged.count(p)) v = tag.substr(0, static_cast<size_t>(ins.widths[p]));
                    ins.stmt->bind(static_cast<int>(p + 1), v);
                }
                ins.stmt->step();
                ins.stmt->reset();
            }
        for (int i = 0; i < m_lines; ++i)
            run(*m_stock, {kBiz, g_services[static_cast<size_t>(i) % g_services.size()]});
        for (const char* s : {"FC", "RECIBO", "INV"}) run(*m_series, {kBiz, std::string(s)});
        run(*m_balance, {kBiz, std::string("B") + std::to_string(n)});
        tx.commit();
    }

private:
    struct Insert {
        std::unique_ptr<Statement> stmt;
        std::vector<std::vector<SqlValue>> rows;
        std::vector<int> widths;
        std::set<size_t> tagged;
    };

    std::vector<std::vector<SqlValue>> written_since(const TableDef& t, int64_t mark) {
        std::string names;
        for (const FieldDef& f : t.fields())
            names += (names.empty() ? "\"" : ", \"") + f.name + "\"";
        auto st = prepare("SELECT " + names + " FROM \"" + t.name() + "\" WHERE \"qz_recno\" > ?");
        st->bind(1, mark);
        std::vector<std::vector<SqlValue>> out;
        while (st->step()) {
            std::vector<SqlValue> row;
            for (int c = 0; c < st->columns(); ++c)
                row.push_back(st->is_null(c) ? SqlValue{} : SqlValue{st->text_at(c)});
            out.push_back(std::move(row));
        }
        return out;
    }

    // Character fields of the unique orders (but the business): the ones a copy must change.
    static std::set<size_t> unique_fields(const TableDef& t) {
        std::set<size_t> out;
        for (const OrderDef& o : t.orders()) {
            if (!o.unique) continue;
            for (const KeyPart& k : o.parts) {
                if (k.field.empty() || k.field == "NEGOCIO" ||
                    (k.kind != KeyPart::Kind::Field && k.kind != KeyPart::Kind::Upper))
                    continue;
                for (size_t p = 0; p < t.fields().size(); ++p)
                    if (t.fields()[p].name == k.field && t.fields()[p].kind == FieldKind::C)
                        out.insert(p);
            }
        }
        return out;
    }
    std::unique_ptr<Statement> prepare(const std::string& sql) { return m_db.conn().prepare(sql); }
    static void run(Statement& st, const std::vector<SqlValue>& values) {
        for (size_t i = 0; i < values.size(); ++i) st.bind(static_cast<int>(i + 1), values[i]);
        st.step();
        st.reset();
    }

    Db& m_db;
    int m_lines;
    std::vector<Insert> m_inserts;
    std::unique_ptr<Statement> m_stock, m_series, m_balance;
};

double secs(Steady::time_point a, Steady::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

void BM_SaveTenLineCashSale(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    std::optional<BareSale> bare;
    static int bare_numbers = 0;
    double tl = 0, tb = 0;
    int n = 0;
    for (auto _ : state) {
        TypedSale s = type_sale(f, 10);
        std::map<std::string, int64_t> before;
        if (!bare) before = watermarks(*f.db);
        const auto a = Steady::now();
        const auto saved = save(f, s);
        const auto b = Steady::now();
        if (!saved) {
            state.SkipWithError("the sale was refused");
            break;
        }
        if (!bare) bare.emplace(*f.db, before, 10);
        const auto c = Steady::now();
        bare->write(++bare_numbers);
        const auto d = Steady::now();
        ++n;
        tl += secs(a, b);
        tb += secs(c, d);
        state.SetIterationTime(secs(a, b));
    }
    state.counters["ms"] = n ? tl * 1000 / n : 0;
    state.counters["x_sql"] = tb > 0 ? tl / tb : 0;
    state.counters["rows"] = bare ? static_cast<double>(bare->rows()) : 0;
}

void BM_SaveTwoHundredLineSaleSplitByTwenty(benchmark::State& state) {
    auto& f = fixture(state.range(0));
    set_field(*f.db, "CONCEPT1", order_key("CONCEPT1", "CONCEPT1", {kBiz, "FC"}), "MAX_LINEAS",
              Decimal(20));
    double tl = 0;
    long n = 0, documents = 0;
    for (auto _ : state) {
        TypedSale s = type_sale(f, 200);
        const auto a = Steady::now();
        const auto saved = save(f, s);
        const auto b = Steady::now();
        if (!saved) {
            state.SkipWithError("the sale was refused");
            break;
        }
        ++n;
        documents += static_cast<long>(saved->documents.size());
        tl += secs(a, b);
        state.SetIterationTime(secs(a, b));
    }
    set_field(*f.db, "CONCEPT1", order_key("CONCEPT1", "CONCEPT1", {kBiz, "FC"}), "MAX_LINEAS",
              Decimal(0));
    state.counters["ms"] = n ? tl * 1000 / static_cast<double>(n) : 0;
    state.counters["documents"] = n ? static_cast<double>(documents) / static_cast<double>(n) : 0;
}

void engines(benchmark::internal::Benchmark* b) {
    b->Arg(0);
    if (std::getenv("QZ_BENCH_PG")) b->Arg(1);
}

}  // namespace

BENCHMARK(BM_SaveTenLineCashSale)->Apply(engines)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTwoHundredLineSaleSplitByTwenty)
    ->Apply(engines)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);
BENCHMARK_MAIN();
