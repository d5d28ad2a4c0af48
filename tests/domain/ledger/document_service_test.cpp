// The document service on the demonstration business: numbering with its re-draws and
// suffixes, the issue rate, the instalment plan, the postings with and without a complement
// account, annul mode, and a creation that fails part-way leaving nothing behind.
#include "domain/ledger/document_service.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "demo_ledger_fixture.h"
#include "domain/ledger/serials.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::DemoLedgerTest;

namespace {

const std::string kBiz = "HOTEL";
const std::string kAgency = "3101123456";

struct DocRow {
    bool found = false;
    std::string concept_code, annulled, description, currency;
    Decimal amount, balance, rate;
    Date date, due;
};

DocRow read_doc(data::Db& db, const std::string& number) {
    DocRow r;
    data::Table t = data::USE(db, "DOCUMENT", "DOCUMENT");
    if (t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kBiz, number}))) {
        r.found = true;
        r.concept_code = trim(t->str("CONCEPTO"));
        r.annulled = trim(t->str("ANULADO"));
        r.description = trim(t->str("DESCRIP"));
        r.currency = trim(t->str("MONEDA"));
        r.amount = t->num("MONTO");
        r.balance = t->num("SALDO");
        r.rate = t->num("TC_DIFF");
        r.date = t->date("FECHA");
        r.due = t->date("VENCE");
    }
    data::KILLTABLA(db, t);
    return r;
}

std::vector<std::pair<Date, Decimal>> instalments(data::Db& db, const std::string& number) {
    std::vector<std::pair<Date, Decimal>> out;
    data::Table t = data::USE(db, "DOC_PARC", "DOC_PARC");
    const std::string key = data::order_key("DOC_PARC", "DOC_PARC", {kBiz, number});
    for (t->Seek(key, true); !t->Eof() && t->CurrentKey().rfind(key, 0) == 0; t->Skip())
        out.emplace_back(t->date("FECHA"), t->num("MONTO"));
    data::KILLTABLA(db, t);
    return out;
}

// Debit minus credit of every voucher line of `document` on `account`, in the accounting
// currency.
Decimal account_net(data::Db& db, const std::string& account, const std::string& document) {
    Decimal net;
    data::Table t = data::USE(db, "DET_AS");
    for (t->GoTop(); !t->Eof(); t->Skip())
        if (trim(t->str("CUENTA")) == account && trim(t->str("DOCUMENTO")) == document)
            net += ((t->num("DEBITO") - t->num("CREDITO")) * t->num("T_CAMBIO")).round(2);
    data::KILLTABLA(db, t);
    return net;
}

}  // namespace

class DocumentServiceTest : public DemoLedgerTest {
protected:
    NewDocument note(const std::string& concept_code, const char* amount,
                     const std::string& currency = "CO") {
        NewDocument d;
        d.amount = Decimal::parse(amount);
        d.concept_code = concept_code;
        d.currency = currency;
        d.customer = kAgency;
        d.branch = "01";
        d.customer_name = "Turismo Pura Vida";
        d.description = "Cargo de prueba";
        d.date = Date(2026, 5, 20);
        return d;
    }
    std::optional<std::string> create(const NewDocument& d) {
        GEN_DOC gen(*db, inst->port, kBiz);
        return gen.NEW_DOC(d);
    }
};

TEST_P(DocumentServiceTest, NumbersFromTheSeriesOrSuffixATakenNumber) {
    const auto first = create(note("ND", "15000.00"));
    ASSERT_TRUE(first);
    const DocRow doc = read_doc(*db, *first);
    EXPECT_EQ(doc.balance, Decimal::parse("15000.00"));
    EXPECT_EQ(doc.due, Date(2026, 6, 19)) << "the concept's 30 days";
    EXPECT_EQ(doc.rate, Decimal(1)) << "colones are the accounting currency";
    EXPECT_EQ(instalments(*db, *first).size(), 1u);

    // A typed number that exists gets the first free suffix.
    NewDocument typed = note("ND", "10.00");
    typed.number = "X100";
    EXPECT_EQ(create(typed).value_or(""), "X100");
    EXPECT_EQ(create(typed).value_or(""), "X100-2");
    EXPECT_EQ(create(typed).value_or(""), "X100-3");
    typed.number = "ABCDEFGHIJKLMN";  // 14 characters: "-2" does not fit
    ASSERT_TRUE(create(typed));
    EXPECT_FALSE(create(typed));
    EXPECT_NE(said().find("no admite otro sufijo"), std::string::npos) << said();

    // The series steps over a number someone typed by hand.
    const std::string next = trim(GET_CURRENTSERIAL(*db, kBiz, "NOTA_DEBITO"));
    NewDocument clash = note("ND", "10.00");
    clash.number = next;
    ASSERT_TRUE(create(clash));
    const auto drawn = create(note("ND", "20.00"));
    ASSERT_TRUE(drawn);
    EXPECT_NE(*drawn, next);
    EXPECT_EQ(read_doc(*db, *drawn).amount, Decimal::parse("20.00"));
}

TEST_P(DocumentServiceTest, ANewDocumentEntersTheBranchsStageElseTheConceptsElseTheBusinesss) {
    auto stage_of = [&](const std::string& number) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kBiz, number})));
        const std::string out = trim(t->str("ETAPA_COB"));
        data::KILLTABLA(*db, t);
        return out;
    };
    auto set = [&](const char* table, const char* order, std::initializer_list<data::KeyValue> key,
                   const char* stage) {
        qz::test::edit_record(
            *db, table, order, data::order_key(table, order, key),
            [&](data::WDBTable& t) { t.FieldPut("ETAPA_COB", std::string(stage)); });
    };
    set("F_FAC", "F_FAC", {kBiz}, "E010");
    EXPECT_EQ(stage_of(*create(note("ND", "10.00"))), "E010");
    set("CONCEPT1", "CONCEPT1", {kBiz, "ND"}, "E020");
    EXPECT_EQ(stage_of(*create(note("ND", "10.00"))), "E020");
    set("DET_CLIE", "DET_CLIE7", {kBiz, kAgency, "01"}, "E030");
    EXPECT_EQ(stage_of(*create(note("ND", "10.00"))), "E030");
}

TEST_P(DocumentServiceTest, RefusalsWriteNothing) {
    const long before = data::USE(*db, "DOCUMENT")->KeyCount();
    test::edit_record(*db, "CONCEPT1", "CONCEPT1",
                      data::order_key("CONCEPT1", "CONCEPT1", {kBiz, "ND"}),
                      [](data::WDBTable& t) { t.FieldPut("SERIAL", std::string()); });
    EXPECT_FALSE(create(note("ND", "10.00")));
    EXPECT_EQ(said(), "El Concepto Nota de Débito no tiene consecutivo asignado!");
    // A foreign document on a day without a rate would be valued at zero.
    NewDocument old = note("FA", "10.00", "US");
    old.date = Date(2001, 1, 1);
    EXPECT_FALSE(create(old));
    EXPECT_NE(said().find("Falta por definir el tipo de cambio"), std::string::npos) << said();
    EXPECT_FALSE(create(note("ZZ", "10.00")));
    EXPECT_EQ(data::USE(*db, "DOCUMENT")->KeyCount(), before);
}

TEST_P(DocumentServiceTest, AnInstalmentConceptGetsItsTermPlan) {
    const auto n = create(note("FP", "1000.01"));
    ASSERT_TRUE(n);
    const auto rows = instalments(*db, *n);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], std::make_pair(Date(2026, 6, 19), Decimal::parse("400.00")));
    EXPECT_EQ(rows[1].second, Decimal::parse("300.00"));
    EXPECT_EQ(rows[2], std::make_pair(Date(2026, 8, 18), Decimal::parse("300.01")))
        << "the last instalment takes what rounding left";
}

TEST_P(DocumentServiceTest, PostsTheReceivableWithOrWithoutItsComplement) {
    // Without complement: the dollar receivable against sales, in dollars at the issue rate.
    const auto plain = create(note("FA", "100.00", "US"));
    ASSERT_TRUE(plain);
    const Decimal rate = read_doc(*db, *plain).rate;
    EXPECT_GT(rate, Decimal(1));
    EXPECT_EQ(account_net(*db, "1-02-01", *plain), (Decimal(100) * rate).round(2));
    EXPECT_EQ(account_net(*db, "4-01-01", *plain), -(Decimal(100) * rate).round(2));

    // With complement, at 535.50: 100.00 nominal, 53,450.00 complement, 53,550.00 counter.
    test::add_record(*db, "T_CAMBIO",
                     {{"NEGOCIO", kBiz},
                      {"MONEDA1", std::string("US")},
                      {"MONEDA2", std::string("CO")},
                      {"FECHA", Date(2026, 5, 21)},
                      {"CAMBIO", Decimal::parse("535.50")}});
    test::edit_record(*db, "CONCEPT1", "CONCEPT1",
                      data::order_key("CONCEPT1", "CONCEPT1", {kBiz, "FA"}),
                      [](data::WDBTable& t) { t.FieldPut("COMPLEMENT", Decimal(1)); });
    NewDocument tomorrow = note("FA", "100.00", "US");
    tomorrow.date = Date(2026, 5, 21);
    const auto compl_doc = create(tomorrow);
    ASSERT_TRUE(compl_doc);
    EXPECT_EQ(read_doc(*db, *compl_doc).rate, Decimal::parse("535.50"));
    EXPECT_EQ(account_net(*db, "1-02-01", *compl_doc), Decimal::parse("100.00"));
    EXPECT_EQ(account_net(*db, "1-02-02", *compl_doc), Decimal::parse("53450.00"));
    EXPECT_EQ(account_net(*db, "4-01-01", *compl_doc), Decimal::parse("-53550.00"));

    // A credit note turns both lines over.
    const auto credit = create(note("NC", "500.00"));
    ASSERT_TRUE(credit);
    EXPECT_EQ(account_net(*db, "1-02-01", *credit), Decimal::parse("-500.00"));
    EXPECT_EQ(account_net(*db, "4-01-01", *credit), Decimal::parse("500.00"));
}

TEST_P(DocumentServiceTest, AnnulModeMirrorsTheDocumentAndClosesBoth) {
    NewDocument d = note("ND", "250.00");
    d.number = "F100";
    ASSERT_EQ(create(d).value_or(""), "F100");
    NewDocument annul;
    annul.annul = true;
    annul.number = "F100";
    annul.date = Date(2026, 5, 20);
    ASSERT_EQ(create(annul).value_or(""), "F100-A");
    const DocRow original = read_doc(*db, "F100"), mirror = read_doc(*db, "F100-A");
    EXPECT_EQ(original.balance, Decimal());
    EXPECT_EQ(original.annulled, "F100-A");
    EXPECT_EQ(original.description, "DOCUMENTO ANULADO CON: F100-A");
    EXPECT_EQ(mirror.concept_code, "NC") << "the opposite concept";
    EXPECT_EQ(mirror.amount, Decimal::parse("250.00"));
    EXPECT_EQ(mirror.balance, Decimal()) << "an annulment is no open credit";
    EXPECT_EQ(mirror.annulled, "F100-A");
    // The receivable of the pair nets to nothing.
    EXPECT_EQ(account_net(*db, "1-02-01", "F100") + account_net(*db, "1-02-01", "F100-A"),
              Decimal());
    EXPECT_FALSE(create(annul)) << "annulled twice";
    EXPECT_EQ(said(), "Este documento ya se encuentra anulado");
}

TEST_P(DocumentServiceTest, InsideTheCallersTransactionItRollsBackWithIt) {
    const long before = data::USE(*db, "DOCUMENT")->KeyCount();
    const std::string next = GET_CURRENTSERIAL(*db, kBiz, "NOTA_DEBITO");
    {
        data::Transaction tx(*db);
        ASSERT_TRUE(create(note("ND", "10.00")));
    }  // the caller gave up
    EXPECT_EQ(data::USE(*db, "DOCUMENT")->KeyCount(), before);
    EXPECT_EQ(GET_CURRENTSERIAL(*db, kBiz, "NOTA_DEBITO"), next) << "the number came back";
}

INSTANTIATE_TEST_SUITE_P(DocumentService, DocumentServiceTest,
                         ::testing::Values(test::Engine::SQLite, test::Engine::PostgreSQL),
                         test::engine_name);

// Every statement of a creation failed in turn: nothing is left of the document, its number is
// not used up, and the session creates the next one.
class DocumentServiceFaultTest
    : public ::testing::TestWithParam<std::tuple<test::Engine, test::FaultConnection::Mode>> {
protected:
    void SetUp() override {
        const test::Engine e = std::get<0>(GetParam());
        if (!test::engine_available(e)) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(e);
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "09:00:00"});
        db = inst->open(nullptr, [this](std::unique_ptr<data::Connection> c) {
            auto f = std::make_unique<test::FaultConnection>(std::move(c));
            fault = f.get();
            return f;
        });
        domain::install_demo_data(*db);
        other = inst->open();
    }
    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
    test::FaultConnection* fault = nullptr;
};

TEST_P(DocumentServiceFaultTest, ADocumentIsCreatedWholeOrNotAtAll) {
    NewDocument d;
    d.amount = Decimal::parse("1000.00");
    d.concept_code = "FP";  // three instalments and the postings
    d.currency = "US";
    d.customer = kAgency;
    d.branch = "01";
    d.date = Date(2026, 5, 20);
    auto r = test::run_fault_loop(
        *db, *other, *fault, std::get<1>(GetParam()),
        {"DOCUMENT", "ENC_DOC2", "DOC_PARC", "SERIALES", "ENC_AS", "DET_AS"}, [&] {
            GEN_DOC gen(*db, inst->port, kBiz);
            return gen.NEW_DOC(d).has_value();
        });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
}

INSTANTIATE_TEST_SUITE_P(
    DocumentService, DocumentServiceFaultTest,
    ::testing::Combine(::testing::Values(test::Engine::SQLite, test::Engine::PostgreSQL),
                       ::testing::Values(test::FaultConnection::Mode::FailNth,
                                         test::FaultConnection::Mode::CommitAsRollback)));
