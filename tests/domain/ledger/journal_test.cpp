// Journal vouchers: links decide account and side, a rounding residue of one operation is
// plugged into its last line while a larger one leaves the voucher out of balance, a day's
// voucher is shared or not by MAYORIZA, a voucher's CIERRA follows all its lines (other
// operations' too), and the period and link checks refuse with the reason.
#include "domain/ledger/journal.h"

#include <gtest/gtest.h>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "support/record_edit.h"
#include "support/test_db.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kBiz = "HOTEL";
const Date kDay(2026, 5, 20);
const JournalStamp kStamp{"SUP", "test"};

class JournalTest : public ::testing::TestWithParam<Engine> {
protected:
    void SetUp() override {
        if (!test::engine_available(GetParam())) GTEST_SKIP() << "PostgreSQL not configured";
        inst = std::make_unique<test::TestInstall>(GetParam());
        inst->clock.freeze(DateTime{kDay, "09:00:00"});
        db = inst->open();
        test::add_record(*db, "NEGOCIOS", {{"CODIGO", kBiz}, {"DIARIO3", std::string("AS03")}});
        test::add_record(*db, "SERIALES", {{"NEGOCIO", kBiz}, {"CODIGO", std::string("AS03")}});
        link("CXC", "1-01", 0);   // receivable: credited by a payment
        link("CAJA", "1-02", 1);  // cash: debited
        test::add_record(*db, "CUENTAS", {{"NEGOCIO", kBiz}, {"CUENTA", std::string("1-01")}});
    }
    void link(const std::string& code, const std::string& account, int debit_side) {
        test::add_record(*db, "LIGAS",
                         {{"NEGOCIO", kBiz},
                          {"CODIGO", code},
                          {"DESCRIP", "Liga " + code},
                          {"CUENTA", account},
                          {"CUENTA2", account + "R"},
                          {"TIPO", Decimal(debit_side)},
                          {"TIPO2", Decimal(debit_side)}});
    }
    // One payment: the receivable credited by `received`, cash debited by `cash`.
    std::string payment(const char* received, const char* cash) {
        data::Transaction tx(*db);
        ContaTransaction c(*db, kBiz, "03", kDay, "R1", kStamp);
        EXPECT_TRUE(c.ok()) << c.error();
        c.post_link("CXC", Decimal::parse(received), "00", Decimal(1), "Abono");
        c.post_link("CAJA", Decimal::parse(cash), "00", Decimal(1), "Efectivo");
        c.close();
        tx.commit();
        return c.voucher();
    }
    // "account D/C amount" of the voucher's lines in writing order.
    std::vector<std::string> lines(const std::string& voucher) {
        std::vector<std::string> out;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS1");
        const std::string key = data::order_key("DET_AS", "DET_AS1", {kBiz, voucher});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            const bool debit = t->num("DEBITO").sign() != 0;
            out.push_back(trim(t->str("CUENTA")) + (debit ? " D " : " C ") +
                          (debit ? t->num("DEBITO") : t->num("CREDITO")).to_string(2));
        }
        data::KILLTABLA(*db, t);
        return out;
    }
    int balanced(const std::string& voucher) {
        data::Table t = data::USE(*db, "ENC_AS", "ENC_AS1");
        int out = -1;
        if (t->Seek(data::order_key("ENC_AS", "ENC_AS1", {kBiz, voucher})))
            out = static_cast<int>(t->num("CIERRA").to_int());
        data::KILLTABLA(*db, t);
        return out;
    }

    std::unique_ptr<test::TestInstall> inst;
    std::unique_ptr<data::Db> db;
};

TEST_P(JournalTest, ASmallResidueIsPluggedAndALargerOneLeavesTheVoucherOutOfBalance) {
    const std::string v = payment("99.85", "100.00");
    EXPECT_EQ(lines(v), (std::vector<std::string>{"1-01 C 99.85", "1-02 D 99.85"}));
    EXPECT_EQ(balanced(v), 1);

    // The same day's voucher takes the next payment; 0.25 is no rounding.
    EXPECT_EQ(payment("10.00", "10.25"), v);
    EXPECT_EQ(lines(v).back(), "1-02 D 10.25");
    EXPECT_EQ(balanced(v), 0);
    // A later balanced payment does not hide the earlier residue: the flag is the voucher's.
    EXPECT_EQ(payment("5.00", "5.00"), v);
    EXPECT_EQ(balanced(v), 0);
}

TEST_P(JournalTest, LinksDecideSideAndBooksAndAMissingLinkShowsTheGap) {
    data::Transaction tx(*db);
    ContaTransaction c(*db, kBiz, "03", kDay, "R2", kStamp, Books::Both);
    c.post_link("CXC", Decimal(40), "00", Decimal(1), "Abono", /*reverse=*/true);
    c.post_link("CAJA", Decimal(-15), "00", Decimal(1), "Devolución");
    c.post_link("NOEXISTE", Decimal(7), "00", Decimal(1), "Sin liga");
    c.post_link("CAJA", Decimal(0), "00", Decimal(1), "Nada");
    c.close();
    tx.commit();
    EXPECT_EQ(lines(c.voucher()),
              (std::vector<std::string>{"1-01 D 40.00", "1-01R D 40.00", "1-02 C 15.00",
                                        "1-02R C 15.00", "???? D 7.00", "???? D 7.00"}));
}

TEST_P(JournalTest, OneVoucherPerOperationWhenTheBusinessAsksForIt) {
    const std::string first = payment("1.00", "1.00");
    test::edit_record(*db, "NEGOCIOS", "NEGOCIOS", data::order_key("NEGOCIOS", "NEGOCIOS", {kBiz}),
                      [](data::WDBTable& t) { t.FieldPut("MAYORIZA", Decimal(1)); });
    const std::string second = payment("2.00", "2.00");
    EXPECT_NE(first, second);
    EXPECT_EQ(lines(second).size(), 2u);
}

TEST_P(JournalTest, AJournalWithoutSeriesOrClassPostsNothing) {
    data::Transaction tx(*db);
    ContaTransaction c(*db, kBiz, "ZZ", kDay, "X", kStamp);
    EXPECT_FALSE(c.ok());
    EXPECT_EQ(c.error(), kNoVoucher);
    c.post_link("CAJA", Decimal(5), "00", Decimal(1), "x");
    c.close();
    tx.commit();
    data::Table t = data::USE(*db, "DET_AS", "DET_AS1");
    t->GoTop();
    EXPECT_TRUE(t->Eof());
    data::KILLTABLA(*db, t);
}

TEST_P(JournalTest, PeriodAndLinkChecksRefuseWithTheReason) {
    auto& port = inst->port;
    EXPECT_TRUE(check_mayorizar(*db, port, kBiz, Date(2020, 1, 1)));  // no period yet
    test::add_record(*db, "SALDOS",
                     {{"NEGOCIO", kBiz},
                      {"CUENTA", std::string("1-01")},
                      {"ANO", Decimal(2026)},
                      {"MES", Decimal(5)}});
    EXPECT_FALSE(check_mayorizar(*db, port, kBiz, Date(2026, 4, 30)));
    EXPECT_EQ(port.messages.back(),
              "Error 3: La Fecha de la Operación contablemente se encuentra cerrada\rPeriodo "
              "Contable Actual Mes:5 Año:2026\rPeriodo Operación Mes:4 Año:2026");
    EXPECT_FALSE(check_mayorizar(*db, port, kBiz, Date(2025, 12, 31)));
    EXPECT_EQ(port.messages.back().substr(0, 7), "Error 2");
    EXPECT_TRUE(check_mayorizar(*db, port, kBiz, Date(2026, 5, 2)));
    EXPECT_FALSE(check_mayorizar(*db, port, kBiz, Date()));

    EXPECT_TRUE(check_liga(*db, port, kBiz, "CXC").valid);
    EXPECT_FALSE(check_liga(*db, port, kBiz, "CAJA").valid);  // 1-02 is not in the chart
    EXPECT_NE(port.messages.back().find("(1-02)"), std::string::npos);
    EXPECT_FALSE(check_liga(*db, port, kBiz, "NADA").valid);
    EXPECT_NE(port.messages.back().find("La Liga Contable NADA no está definida"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Ledger, JournalTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
