// Return notes: numbering from the business's series, lines priced from the note's price type,
// applied notes left untouched, a note left for another saved first, a note made from an
// invoice, and every write of a note all or nothing.
#include "domain/pos/return_notes.h"

#include <gtest/gtest.h>

#include "data/table_ops.h"
#include "domain/pos/return_note_desk.h"
#include "support/fault_loop.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain::pos;
using qz::test::add_record;
using qz::test::Engine;

namespace {

const std::string kBiz = "HOTEL";

class ReturnNotesTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{Date(2026, 5, 20), "10:15:00"});
        db = inst->open();
        other = inst->open();
        add_record(*db, "F_FAC",
                   {{"NEGOCIO", kBiz},
                    {"SERIAL_DEV", std::string("DEVOL")},
                    {"DEV_TP", std::string("02")},
                    {"MONEDA", std::string("CR")}});
        add_record(*db, "SERIALES",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", std::string("DEVOL")},
                    {"PREFIJO", std::string("D")},
                    {"INDENT", Decimal(5)}});
        for (const char* t : {"01", "02"})
            add_record(*db, "ENC_PREC",
                       {{"NEGOCIO", kBiz},
                        {"CODIGO", std::string(t)},
                        {"DESCRIP", std::string("Precio ") + t}});
        article("CREMA", "Crema corporal", 4);
        article("ACEITE", "Aceite de masaje", 1);
        list_price("02", "CREMA", "12.50");
        list_price("01", "CREMA", "15.00");
    }
    void article(const char* code, const char* name, int suggested) {
        add_record(*db, "DEF_ART",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", std::string(code)},
                    {"DESCRIP", std::string(name)},
                    {"IMP_ART", Decimal(13)},
                    {"COSTO_PROM", Decimal::parse("6.25")},
                    {"CANT_SUG", Decimal(suggested)}});
    }
    void list_price(const char* type, const char* code, const char* price) {
        add_record(*db, "DET_PREC",
                   {{"NEGOCIO", kBiz},
                    {"CODIGO", std::string(type)},
                    {"ARTICULO", std::string(code)},
                    {"PRECIO", Decimal::parse(price)}});
    }
    ReturnNoteDesk desk() { return ReturnNoteDesk(*db, inst->port, kBiz); }
    void mark_applied(const std::string& number) {
        auto t = data::USE(*other, "ENC_DEV", "ENC_DEV");
        ASSERT_TRUE(t->Seek(return_note_key(kBiz, number)));
        data::LOCK_FOR_MODIFY(*t);
        t->FieldPut("PASADO", std::string("S"));
        data::UNLOCK_FOR_MODIFY(*t);
        data::KILLTABLA(*other, t);
    }
    long stored_lines(const std::string& number) {
        return static_cast<long>(read_return_lines(*other, kBiz, number).size());
    }
    // The last message's text, without the "Title: " the scripted port puts before it.
    std::string last_message() const {
        if (inst->port.messages.empty()) return "";
        const std::string& m = inst->port.messages.back();
        return m.substr(m.find(": ") + 2);
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db, other;
};

TEST_P(ReturnNotesTest, ANewNoteIsNumberedStampedAndTakesTheDefaults) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    EXPECT_EQ(d.note().number, "D00001");
    EXPECT_EQ(d.note().price_type, "02");
    EXPECT_EQ(d.note().currency, "CR");
    const auto stored = read_return_note(*other, kBiz, "D00001");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->date, Date(2026, 5, 20));
    EXPECT_EQ(stored->time, "10:15:00");
    EXPECT_FALSE(stored->applied);
    ASSERT_EQ(d.lines().size(), 1U) << "the grid opens with its empty row only";
    EXPECT_TRUE(d.lines().back().blank());
    EXPECT_EQ(d.notes().size(), 1U);

    // Without the series nothing is written, and the user is told why.
    auto t = data::USE(*other, "F_FAC", "F_FAC");
    ASSERT_TRUE(t->Seek(data::order_key("F_FAC", "F_FAC", {kBiz})));
    data::LOCK_FOR_MODIFY(*t);
    t->FieldPut("SERIAL_DEV", std::string(""));
    data::UNLOCK_FOR_MODIFY(*t);
    data::KILLTABLA(*other, t);
    auto bare = desk();
    EXPECT_FALSE(bare.new_note());
    EXPECT_EQ(last_message(), kReturnNoSeries);
    EXPECT_EQ(business_return_notes(*other, kBiz).size(), 1U);
}

TEST_P(ReturnNotesTest, ATypedCodeIsCheckedAndPricedFromTheNotesPriceType) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    EXPECT_EQ(d.set_code(0, "NADA"), kReturnCodeMissing);
    EXPECT_TRUE(d.lines()[0].blank()) << "an unknown code blanks the row";

    EXPECT_EQ(d.set_code(0, "crema"), "");
    const ReturnLine& l = d.lines()[0];
    EXPECT_EQ(l.code, "CREMA");
    EXPECT_EQ(l.name, "Crema corporal");
    EXPECT_EQ(l.price, Decimal::parse("12.50")) << "the list price of the note's price type";
    EXPECT_EQ(l.cost, Decimal::parse("6.25"));
    EXPECT_EQ(l.tax, Decimal(13));
    EXPECT_EQ(l.quantity, Decimal(4));
    EXPECT_EQ(l.price_type, "02");
    ASSERT_EQ(d.lines().size(), 2U) << "a new empty row follows the typed line";
    EXPECT_TRUE(d.lines()[1].blank());

    EXPECT_EQ(d.set_quantity(0, Decimal(0)), kReturnBadQuantity);
    EXPECT_EQ(d.lines()[0].quantity, Decimal(4));

    // Without a price type a line cannot be priced.
    d.set_price_type("");
    EXPECT_EQ(d.set_code(1, "ACEITE"), kReturnNoPriceType);
    EXPECT_TRUE(d.lines()[1].blank());
}

TEST_P(ReturnNotesTest, SavingRewritesReadLinesAppendsNewOnesAndDropsEmptiedOnes) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    d.set_code(0, "CREMA");
    d.set_code(1, "ACEITE");
    d.set_currency("US");
    ASSERT_TRUE(d.save());
    EXPECT_EQ(stored_lines("D00001"), 2);
    EXPECT_EQ(read_return_note(*other, kBiz, "D00001")->currency, "US");

    auto again = desk();
    ASSERT_TRUE(again.open_note("D00001"));
    ASSERT_EQ(again.lines().size(), 3U);
    EXPECT_EQ(again.lines()[1].name, "Aceite de masaje");
    again.set_quantity(0, Decimal(2));
    again.set_code(1, "");
    ASSERT_TRUE(again.save());
    ASSERT_TRUE(again.save()) << "saving twice writes no line twice";
    const auto stored = read_return_lines(*other, kBiz, "D00001");
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].code, "CREMA");
    EXPECT_EQ(stored[0].quantity, Decimal(2));
}

TEST_P(ReturnNotesTest, ANewNoteSavesTheOpenOneFirst) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    d.set_code(0, "CREMA");
    ASSERT_TRUE(d.new_note());
    EXPECT_EQ(d.note().number, "D00002");
    EXPECT_EQ(stored_lines("D00001"), 1);
    // Choosing another note leaves this one saved too.
    d.set_code(0, "ACEITE");
    ASSERT_TRUE(d.open_note("D00001"));
    EXPECT_EQ(stored_lines("D00002"), 1);
    EXPECT_EQ(d.notes().size(), 2U);
}

TEST_P(ReturnNotesTest, AnAppliedNoteIsNeitherChangedNorDeleted) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    d.set_code(0, "CREMA");
    ASSERT_TRUE(d.save());
    mark_applied("D00001");

    auto viewer = desk();
    ASSERT_TRUE(viewer.open_note("D00001"));
    EXPECT_TRUE(viewer.read_only());
    EXPECT_EQ(viewer.set_code(1, "ACEITE"), kReturnAppliedMeanwhile);
    EXPECT_FALSE(viewer.remove());
    EXPECT_EQ(last_message(), kReturnApplied);
    EXPECT_EQ(delete_return_note(*db, kBiz, "D00001"), kReturnApplied);
    EXPECT_EQ(stored_lines("D00001"), 1);

    // The first desk still holds the note as it was before another workstation applied it:
    // its edits are refused under the header's lock, not written over the applied note.
    d.set_code(1, "ACEITE");
    d.set_currency("US");
    EXPECT_FALSE(d.save());
    EXPECT_EQ(last_message(), kReturnAppliedMeanwhile);
    EXPECT_EQ(stored_lines("D00001"), 1);
    EXPECT_EQ(read_return_note(*other, kBiz, "D00001")->currency, "CR");
    EXPECT_TRUE(d.read_only()) << "the desk now shows the note as stored";
    EXPECT_TRUE(d.new_note()) << "and may leave it";
}

TEST_P(ReturnNotesTest, DeletingAsksThenRemovesHeaderAndLines) {
    auto d = desk();
    ASSERT_TRUE(d.new_note());
    d.set_code(0, "CREMA");
    d.set_code(1, "ACEITE");
    ASSERT_TRUE(d.save());
    inst->port.answer = false;
    EXPECT_FALSE(d.remove());
    EXPECT_TRUE(read_return_note(*other, kBiz, "D00001"));
    inst->port.answer = true;
    EXPECT_TRUE(d.remove());
    EXPECT_FALSE(d.has_note());
    EXPECT_FALSE(read_return_note(*other, kBiz, "D00001"));
    EXPECT_EQ(stored_lines("D00001"), 0);
    EXPECT_TRUE(d.notes().empty());
}

TEST_P(ReturnNotesTest, ANoteFromAnInvoiceReturnsItsArticleLinesAtTheInvoicedPrice) {
    add_record(
        *db, "DOCUMENT",
        {{"NEGOCIO", kBiz}, {"DOCUMENTO", std::string("F100")}, {"MONEDA", std::string("US")}});
    add_record(*db, "DET_DOC",
               {{"NEGOCIO", kBiz},
                {"DOCUMENTO", std::string("F100")},
                {"CODIGO", std::string("CREMA")},
                {"CANTIDAD", Decimal(3)},
                {"PRECIO", Decimal::parse("11.75")},
                {"DESCUENTO", Decimal(10)},
                {"IMPUESTO", Decimal(13)}});
    add_record(*db, "DOCUMENT", {{"NEGOCIO", kBiz}, {"DOCUMENTO", std::string("ND7")}});

    auto d = desk();
    EXPECT_FALSE(d.new_note_from_document("ND7"));
    EXPECT_EQ(last_message(), kReturnNoArticleLines);
    EXPECT_TRUE(document_return_lines(*db, kBiz, "ND7").empty());
    EXPECT_TRUE(business_return_notes(*other, kBiz).empty()) << "no empty note is left";

    ASSERT_TRUE(d.new_note_from_document("F100"));
    EXPECT_EQ(d.note().currency, "US");
    const auto stored = read_return_lines(*other, kBiz, d.note().number);
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].quantity, Decimal(3));
    EXPECT_EQ(stored[0].price, Decimal::parse("11.75"));
    EXPECT_EQ(stored[0].discount, Decimal(10));
    EXPECT_EQ(stored[0].cost, Decimal::parse("6.25"));
    EXPECT_EQ(stored[0].price_type, "02");
}

INSTANTIATE_TEST_SUITE_P(Engines, ReturnNotesTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

// Every write of a note, failed at each of its statements in turn, leaves all of it or nothing.
using Mode = test::FaultConnection::Mode;
class ReturnNoteFaultTest : public ::testing::TestWithParam<Engine> {};

TEST_P(ReturnNoteFaultTest, CreatingSavingAndDeletingANoteAreEachWholeOrNothing) {
    if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
    test::TestInstall inst(GetParam());
    test::FaultConnection* fault = nullptr;
    auto db = inst.open(nullptr, [&](std::unique_ptr<data::Connection> c) {
        auto f = std::make_unique<test::FaultConnection>(std::move(c));
        fault = f.get();
        return f;
    });
    auto other = inst.open();
    add_record(*db, "SERIALES",
               {{"NEGOCIO", kBiz},
                {"CODIGO", std::string("DEVOL")},
                {"PREFIJO", std::string("D")},
                {"INDENT", Decimal(5)}});
    ReturnLine line;
    line.code = "CREMA";
    line.quantity = Decimal(2);
    line.price = Decimal(10);
    const std::vector<std::string> tables = {"ENC_DEV", "DET_DEV", "SERIALES"};
    std::string number;
    auto r = test::run_fault_loop(*db, *other, *fault, Mode::FailNth, tables, [&] {
        const auto w = create_return_note(*db, kBiz, "DEVOL", {}, {line, line});
        number = w.header.number;
        return w.ok();
    });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);
    ASSERT_FALSE(number.empty());

    auto lines = read_return_lines(*db, kBiz, number);
    ASSERT_EQ(lines.size(), 2U);
    lines[0].quantity = Decimal(5);
    lines[1].code.clear();
    lines.push_back(line);
    ReturnHeader h = *read_return_note(*db, kBiz, number);
    h.currency = "US";
    r = test::run_fault_loop(*db, *other, *fault, Mode::FailNth, tables,
                             [&] { return save_return_note(*db, kBiz, h, lines).ok(); });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);

    r = test::run_fault_loop(*db, *other, *fault, Mode::FailNth, tables,
                             [&] { return delete_return_note(*db, kBiz, number).empty(); });
    EXPECT_TRUE(r.committed);
    EXPECT_GE(r.failures, 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReturnNoteFaultTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), test::engine_name);

}  // namespace
