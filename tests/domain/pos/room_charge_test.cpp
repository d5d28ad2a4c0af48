// Charges to hotel rooms and master accounts on the demonstration hotel, on each engine: what
// accepting the tenders allows each account, the folio lines a charge writes (taxes and shares
// included) inside the caller's transaction, the room selection and the guest's signatures.
#include "domain/pos/room_charge.h"

#include <gtest/gtest.h>

#include "data/order_key.h"
#include "data/table_ops.h"
#include "data/transaction.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/payment_setup.h"
#include "domain/ledger/rates.h"
#include "domain/pos/room_credit.h"
#include "domain/pos/room_selection.h"
#include "domain/pos/tenders.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using namespace qz::domain::pos;
using namespace qz::test;

namespace {

Decimal dec(const char* s) { return Decimal::parse(s); }

long count(data::Db& db, const char* table, const char* order,
           std::initializer_list<data::KeyValue> parts) {
    data::Table t = data::USE(db, table, order);
    const std::string key = data::order_key(table, order, parts);
    t->SetScope(key, key);
    const long n = t->KeyCount();
    data::KILLTABLA(db, t);
    return n;
}

}  // namespace

class RoomChargeTest : public DemoLedgerTest {
protected:
    // One room-charge tender per (code, amount), in dollars like the folios; whether accepted.
    bool accept(std::vector<std::pair<const char*, const char*>> charges,
                const char* currency = "US") {
        TenderInputs in;
        in.business = "HOTEL";
        in.currency = currency;
        std::vector<TenderRow> rows;
        for (const auto& [room, amount] : charges) {
            TenderRow r;
            r.code = "HB";
            r.room = room;
            r.amount = dec(amount);
            in.paid += r.amount;
            rows.push_back(r);
        }
        in.amount_due = in.paid;
        auto hb = read_payment_method(*db, "HOTEL", "HB");
        set = std::make_unique<TenderSet>(in, std::vector<PaymentMethod>{*hb}, rows);
        set->open();
        return set->Terminar(*db, inst->port).accepted;
    }
    RoomChargeRequest charge(const char* room, const char* key, const char* amount) {
        RoomChargeRequest r;
        r.currency = "US";
        r.business = "HOTEL";
        r.room = room;
        r.transaction = "SPA";
        r.document = "FAC-000123";
        r.amount = dec(amount);
        r.folio_key = key;
        r.user = "SUP";
        return r;
    }
    std::unique_ptr<TenderSet> set;
};

TEST_P(RoomChargeTest, EachAccountTakesWhatItsCreditAllows) {
    // Room 201: 500.00 of credit, 180.00 owed already.
    EXPECT_TRUE(accept({{"201", "320.00"}})) << said();
    EXPECT_EQ(set->rows()[0].account, "RES-0001");
    EXPECT_EQ(set->rows()[0].room_type, "SUP");
    EXPECT_FALSE(accept({{"201", "320.01"}}));
    EXPECT_EQ(said(), "Crédito insuficiente:\rCrédito: 500.00\rDisponible: 320.00");
    EXPECT_FALSE(accept({{"201", "200.00"}, {"201", "200.00"}})) << "together beyond the credit";
    // A sale in colones is judged by the dollars it will charge on the folio, not by its figure.
    const Decimal colones = CAMBIO_ACT(*db, "HOTEL", "US", "CO");  // dollars per colón
    const std::string fits = (Decimal(300) / colones).round(2).to_string();
    const std::string beyond = (Decimal(330) / colones).round(2).to_string();
    EXPECT_TRUE(accept({{"201", fits.c_str()}}, "CO")) << said();
    EXPECT_FALSE(accept({{"201", beyond.c_str()}}, "CO"));
    EXPECT_EQ(said(), "Crédito insuficiente:\rCrédito: 500.00\rDisponible: 320.00");

    EXPECT_FALSE(accept({{"302", "1.00"}}));
    EXPECT_EQ(said(), "El huésped no tiene crédito permitido");
    EXPECT_FALSE(accept({{"101", "1.00"}}));
    EXPECT_EQ(said(), "La Habitación 101 no tiene Huéspedes");
    EXPECT_FALSE(accept({{"", "1.00"}}));
    EXPECT_EQ(said(), "Debe asociar una habitación o Cuenta Maestra");
    EXPECT_FALSE(accept({{"XYZ", "1.00"}}));
    EXPECT_EQ(said(), "La Habitación o Cuenta MaestraXYZ no existe");
    EXPECT_FALSE(accept({{"CM-BODA", "1.00"}}));
    EXPECT_EQ(said(), "La Cuenta MaestraCM-BODA ya está cerrada");

    // An open master account may owe up to 99,999,999.00 over its folios.
    EXPECT_TRUE(accept({{"CM-CONGRESO", "99997499.00"}})) << said();
    EXPECT_TRUE(set->rows()[0].master);
    EXPECT_FALSE(accept({{"CM-CONGRESO", "99997499.01"}}));
    EXPECT_EQ(said(), "Crédito insuficiente:\rCrédito: 99,999,999.00\rDisponible: 99,997,499.00");
}

TEST_P(RoomChargeTest, AChargeWritesItsLineOnTheGuestsOpenFolioInTheCallersTransaction) {
    {
        data::Transaction tx(*db);
        RoomChargeRequest r = charge("201", "RES-0001", "45.50");
        r.articles = {
            {"MAS-60", "Masaje relajante 60 min", dec("1"), dec("45.50"), dec("0"), dec("13")}};
        const auto out = ADD_CARGO(*db, r);
        ASSERT_TRUE(out) << out.problem;
        EXPECT_EQ(out.folio, "FOL-0001");
        EXPECT_EQ(out.lines, 1);
        tx.rollback();
    }
    EXPECT_EQ(count(*db, "DET_FOL", "DET_FOL", {"HOTEL", "FOL-0001"}), 1) << "rolled back";

    data::Transaction tx(*db);
    RoomChargeRequest r = charge("201", "RES-0001", "45.50");
    r.articles = {{"MAS-60", "Masaje", dec("1"), dec("45.50"), dec("0"), dec("13")}};
    ASSERT_TRUE(ADD_CARGO(*db, r));
    ASSERT_TRUE(ADD_CARGO(*db, charge("201", "RES-0001", "10.00")));
    tx.commit();

    data::Table d = data::USE(*db, "DET_FOL", "DET_FOL");
    ASSERT_TRUE(d->Seek(data::order_key("DET_FOL", "DET_FOL", {"HOTEL", "FOL-0001", 2LL})));
    EXPECT_EQ(d->num("DEBITO"), dec("45.50"));
    EXPECT_EQ(d->num("ODEBITO"), dec("45.50"));
    EXPECT_EQ(d->num("T_CAMBIO"), Decimal(1));
    EXPECT_EQ(d->str("COD_TRANS").substr(0, 3), "SPA");
    EXPECT_EQ(trim(d->str("DOCUMEN")), "FAC-000123");
    EXPECT_EQ(trim(d->str("COMENTA")), "Doc: FAC-000123 20/05/26 09:00:00");
    EXPECT_EQ(d->date("CIERRE_DIA"), Date(2026, 5, 19)) << "the hotel's business day";
    ASSERT_TRUE(d->Seek(data::order_key("DET_FOL", "DET_FOL", {"HOTEL", "FOL-0001", 3LL})));
    EXPECT_EQ(d->num("DEBITO"), dec("10.00"));
    data::KILLTABLA(*db, d);
    data::Table f = data::USE(*db, "ENC_FOL", "ENC_FOL");
    ASSERT_TRUE(f->Seek(data::order_key("ENC_FOL", "ENC_FOL", {"HOTEL", "FOL-0001"})));
    EXPECT_EQ(f->num("CONSECUT"), Decimal(4)) << "two lines taken";
    data::KILLTABLA(*db, f);
    EXPECT_EQ(count(*db, "DET_FOL2", "DET_FOL2", {"HOTEL", "FOL-0001"}), 1);
}

TEST_P(RoomChargeTest, TaxesAndSharesSplitTheChargeAndAColonSaleIsConverted) {
    edit_record(*db, "TRANSACS", "TRANSACS",
                data::order_key("TRANSACS", "TRANSACS", {"HOTEL", "SPA"}),
                [](data::WDBTable& t) { t.FieldPut("IMP_INCLU", Decimal(1)); });
    add_record(*db, "DET_TRAN",
               {{"NEGOCIO", std::string("HOTEL")},
                {"TRANSAC", std::string("SPA")},
                {"SUB_TRAN", std::string("PROP")},
                {"PORCENTAJE", dec("10")}});
    data::Transaction tx(*db);
    const auto out = ADD_CARGO(*db, charge("CM-CONGRESO", "CM-CONGRESO", "113.00"));
    ASSERT_TRUE(out) << out.problem;
    EXPECT_EQ(out.folio, "FOL-M001");
    EXPECT_EQ(out.lines, 3) << "charge, tax, share";
    RoomChargeRequest colones = charge("202", "RES-0004", "5350.00");
    colones.currency = "CO";
    ASSERT_TRUE(ADD_CARGO(*db, colones));
    tx.commit();

    data::Table d = data::USE(*db, "DET_FOL", "DET_FOL");
    const auto line = [&](long n) {
        EXPECT_TRUE(d->Seek(data::order_key("DET_FOL", "DET_FOL",
                                            {"HOTEL", "FOL-M001", static_cast<long long>(n)})));
        return d->num("DEBITO");
    };
    // 113 with 13 % included: 100 base, 13 tax; the share takes 10 % of the base.
    EXPECT_EQ(line(2), dec("90.00"));
    EXPECT_EQ(line(3), dec("13.00"));
    EXPECT_EQ(d->num("SI_IMP"), Decimal(1));
    EXPECT_EQ(line(4), dec("10.00"));
    EXPECT_EQ(trim(d->str("COD_TRAN")), "PROP");

    const Decimal rate = CAMBIO_ACT(*db, "HOTEL", "US", "CO");
    ASSERT_TRUE(d->Seek(data::order_key("DET_FOL", "DET_FOL", {"HOTEL", "FOL-0004", 0LL})));
    EXPECT_EQ(trim(d->str("OMONEDA")), "CO");
    EXPECT_EQ(trim(d->str("MONEDA")), "US");
    Decimal total, charged;
    for (long long n = 0; n < 3; ++n) {
        ASSERT_TRUE(d->Seek(data::order_key("DET_FOL", "DET_FOL", {"HOTEL", "FOL-0004", n})));
        total += d->num("DEBITO");
        charged += d->num("ODEBITO");
    }
    EXPECT_EQ(charged, dec("5350.00")) << "the parts in colones add up to the charge";
    EXPECT_LE((total - ROUND5(dec("5350.00") * rate)).abs(), dec("0.02"));
    data::KILLTABLA(*db, d);

    const TaxSplit split = CALCULA_MONTO(dec("100.00"), {dec("13"), dec("10")});
    EXPECT_EQ(split.base + split.taxes[0] + split.taxes[1], dec("100.00")) << "parts add up";
}

TEST_P(RoomChargeTest, NoOpenFolioWritesNothing) {
    data::Transaction tx(*db);
    const auto out = ADD_CARGO(*db, charge("CM-BODA", "CM-BODA", "10.00"));
    EXPECT_FALSE(out);
    EXPECT_EQ(out.problem, "No se encuentra un Folio abierto para: CM-BODA");
    tx.commit();
    EXPECT_EQ(count(*db, "DET_FOL", "DET_FOL", {"HOTEL", "FOL-M002"}), 0);
}

TEST_P(RoomChargeTest, TheRoomSelectionListsGuestsInHouseAndOpenMasterAccounts) {
    const auto choices = SEL_ROOM(*db, "HOTEL");
    const auto find = [&](const std::string& code) -> const RoomChoice* {
        for (const auto& c : choices)
            if (c.code == code) return &c;
        return nullptr;
    };
    ASSERT_TRUE(find("201"));
    EXPECT_EQ(find("201")->guest, "Sofía Ramírez Ulate");
    EXPECT_EQ(find("201")->reservation, "RES-0001");
    EXPECT_TRUE(find("302"));
    EXPECT_FALSE(find("103")) << "arrives later";
    ASSERT_TRUE(find("CM-CONGRESO"));
    EXPECT_TRUE(find("CM-CONGRESO")->master);
    EXPECT_FALSE(find("CM-BODA")) << "closed";

    for (int i = 1; i <= kSignatureFields; ++i)
        EXPECT_EQ(
            store_signature(*db, "HOTEL", "RES-0001", "SUP", 1, "F" + std::to_string(i) + ".PNG"),
            "FIRMA" + std::to_string(i));
    EXPECT_FALSE(store_signature(*db, "HOTEL", "RES-0001", "SUP", 1, "F9.PNG")) << "all taken";
    EXPECT_FALSE(store_signature(*db, "HOTEL", "RES-9999", "SUP", 1, "F.PNG"));
}

INSTANTIATE_TEST_SUITE_P(Tenders, RoomChargeTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);
