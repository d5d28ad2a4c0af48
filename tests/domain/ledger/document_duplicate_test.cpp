// Duplicating a document on the demonstration ledger: the demonstration invoice copied under the
// next number of its series with its lines, stock and a balanced voucher; a concept numbered by
// hand, or a question answered no, writes nothing; and a duplicate that fails part-way leaves
// nothing behind.
#include "domain/ledger/document_duplicate.h"

#include <gtest/gtest.h>

#include "domain/demo/demo_data.h"
#include "domain/ledger/serials.h"
#include "domain/ledger/viewer_fixture.h"
#include "support/fault_loop.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

class DocumentDuplicateTest : public test::ViewerTest {
protected:
    // Debit and credit of the journal lines posted under `document`, and their labels.
    struct Posted {
        Decimal debit, credit;
        std::vector<std::string> labels;
    };
    Posted posted(const std::string& document) {
        Posted p;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS6");
        const std::string key = data::order_key("DET_AS", "DET_AS6", {kBiz, document});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            p.debit += t->num("DEBITO");
            p.credit += t->num("CREDITO");
            p.labels.push_back(trim(t->str("DESCRIP")));
        }
        data::KILLTABLA(*db, t);
        return p;
    }
    bool labelled(const Posted& p, const std::string& start) {
        for (const auto& l : p.labels)
            if (l.rfind(start, 0) == 0) return true;
        return false;
    }
};

TEST_P(DocumentDuplicateTest, TheInvoiceIsCopiedUnderItsSeriesDueTodayWithLinesStockAndPostings) {
    // Its massage (MAS003, one) is kept in stock in warehouse 01, which the invoice sold from.
    change("DEF_ART", "DEF_ART", {kBiz, "MAS003"}, {{"TIPO", Decimal(1)}});
    put("ARTICULO", {{"ARTICULO", std::string("MAS003")},
                     {"BODEGA", std::string("01")},
                     {"CANTIDAD", Decimal(10)}});
    change("DOCUMENT", "DOCUMENT", {kBiz, kInvoice},
           {{"BODEGA", std::string("01")}, {"P_COMISION", Decimal::parse("2.5")}});
    const ViewedDocument original = doc(kInvoice);
    const std::string next = trim(GET_CURRENTSERIAL(*db, kBiz, "FACTURA"));

    const auto copy = duplicate_document(*db, inst->port, kBiz, kInvoice);

    ASSERT_TRUE(copy);
    EXPECT_EQ(*copy, next);
    EXPECT_EQ(said(), kDuplicated);
    const ViewedDocument d = doc(*copy);
    EXPECT_EQ(d.concept_code, "FA");
    EXPECT_EQ(d.customer, original.customer);
    EXPECT_EQ(d.branch, original.branch);
    EXPECT_EQ(d.name, original.name);
    EXPECT_EQ(d.currency, original.currency);
    EXPECT_EQ(d.description, original.description);
    EXPECT_EQ(d.date, Date(2026, 5, 20));
    EXPECT_EQ(d.due, d.date);
    EXPECT_EQ(d.amount, original.amount);
    EXPECT_EQ(d.balance, original.amount);
    EXPECT_EQ(text("DOCUMENT", "DOCUMENT", {kBiz, *copy}, "P_COMISION"), "2.50");
    EXPECT_EQ(doc(kInvoice).balance, original.balance);
    EXPECT_EQ(rows("DET_DOC", "DET_DOC", {kBiz, *copy}), 2);
    EXPECT_EQ(text("DET_DOC", "DET_DOC", {kBiz, *copy}, "FECHA"), "2026-05-20");
    EXPECT_EQ(text("ARTICULO", "ARTIC1", {kBiz, "MAS003", "01"}, "CANTIDAD"), "9.00");
    const Posted p = posted(*copy);
    EXPECT_EQ(p.debit, p.credit);
    EXPECT_EQ(p.debit, original.amount);
    EXPECT_TRUE(labelled(p, "(T)CxC: " + *copy));
    EXPECT_TRUE(labelled(p, "Venta: MAS003 " + *copy));
    EXPECT_TRUE(labelled(p, "(T)Imp: " + *copy));
    // The lines explain the whole amount: nothing is left for the counter-account.
    EXPECT_FALSE(labelled(p, "ND: "));
}

TEST_P(DocumentDuplicateTest, AHandNumberedConceptOrANoWritesNothing) {
    const long documents = rows("DOCUMENT", "DOCUMEN3", {kBiz});
    const std::string next = trim(GET_CURRENTSERIAL(*db, kBiz, "FACTURA"));

    inst->port.answer = false;
    EXPECT_FALSE(duplicate_document(*db, inst->port, kBiz, kInvoice));

    inst->port.answer = true;
    change("CONCEPT1", "CONCEPT1", {kBiz, "FA"}, {{"LEE_SERIAL", Decimal(1)}});
    EXPECT_FALSE(duplicate_document(*db, inst->port, kBiz, kInvoice));
    EXPECT_EQ(said(), kManualNumbersDuplicate);

    EXPECT_FALSE(duplicate_document(*db, inst->port, kBiz, "NO-EXISTE"));
    EXPECT_EQ(rows("DOCUMENT", "DOCUMEN3", {kBiz}), documents);
    EXPECT_EQ(trim(GET_CURRENTSERIAL(*db, kBiz, "FACTURA")), next);
}

INSTANTIATE_TEST_SUITE_P(Ledger, DocumentDuplicateTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

// Every statement of a duplicate failed in turn: nothing of the copy is left, its number is not
// used up, and the session duplicates the document afterwards.
class DocumentDuplicateFaultTest
    : public ::testing::TestWithParam<std::tuple<Engine, test::FaultConnection::Mode>> {
protected:
    void SetUp() override {
        const Engine e = std::get<0>(GetParam());
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

TEST_P(DocumentDuplicateFaultTest, ADuplicateIsWrittenWholeOrNotAtAll) {
    auto r = test::run_fault_loop(
        *db, *other, *fault, std::get<1>(GetParam()),
        {"DOCUMENT", "ENC_DOC2", "DOC_PARC", "SERIALES", "DET_DOC", "ARTICULO", "ENC_AS", "DET_AS"},
        [&] { return duplicate_document(*db, inst->port, "HOTEL", "F00001001").has_value(); });
    EXPECT_GE(r.failures, 1);
    EXPECT_TRUE(r.committed);
}

INSTANTIATE_TEST_SUITE_P(
    Ledger, DocumentDuplicateFaultTest,
    ::testing::Combine(::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                       ::testing::Values(test::FaultConnection::Mode::FailNth,
                                         test::FaultConnection::Mode::CommitAsRollback)));

}  // namespace
