// The cash closing over receipts written as the sale and the payments write them: tender lines
// under their payment types with the sign and rate each takes, the collected total without the
// types the closing leaves out, the documents' taxes counted once per receipt, the period's
// bounds, and the totals against a recomputation from the rows themselves.
#include "domain/cash/closing.h"

#include <map>
#include <set>
#include <stdexcept>

#include "cash_fixture.h"
#include "domain/cash/closing_csv.h"

namespace qz::test {
namespace {

namespace dc = domain::cash;

struct DocLine {
    const char* price;
    const char* quantity;
    const char* discount;
    const char* tax;
};
struct Tend {
    const char* code;
    const char* amount;
};

const Date kDay(2026, 5, 10);
Decimal dec(const char* s) { return Decimal::parse(s); }

class ClosingTest : public CashFixture {
protected:
    void SetUp() override {
        CashFixture::SetUp();
        if (IsSkipped()) return;
        add_record(*db, "NEGOCIOS", {{"CODIGO", kCashBiz}, {"MONEDA_CON", "CO"}});
        add_record(*db, "MONEDAS", {{"NEGOCIO", kCashBiz}, {"CODIGO", "CO"}, {"SIMBOLO", "C"}});
        add_record(*db, "MONEDAS", {{"NEGOCIO", kCashBiz}, {"CODIGO", "US"}, {"SIMBOLO", "$"}});
        type("CH", "Cheque", 0, false);
        type("CR", "Credito", 0, true);
        type("DV", "Vuelto", 1, false);
        type("EF", "Efectivo", 0, false);
        type("TC", "Tarjeta", 0, false);
        type("XX", "Sin uso", 0, false);
        add_record(*db, "CLIENTES",
                   {{"NEGOCIO", kCashBiz}, {"CODIGO", "C1"}, {"NOMBRE", "Ana Mora"}});
    }
    void type(const char* code, const char* name, int out, bool not_collected) {
        add_record(*db, "TIPO_MOV",
                   {{"NEGOCIO", kCashBiz},
                    {"CODIGO", code},
                    {"DESCRIP", name},
                    {"TIPO", Decimal(out)},
                    {"NO_CIERRE", Decimal(not_collected ? 1 : 0)}});
    }
    void doc(const std::string& number, std::initializer_list<DocLine> lines) {
        for (const auto& l : lines)
            add_record(*db, "DET_DOC",
                       {{"NEGOCIO", kCashBiz},
                        {"DOCUMENTO", number},
                        {"PRECIO", dec(l.price)},
                        {"CANTIDAD", dec(l.quantity)},
                        {"DESCUENTO", dec(l.discount)},
                        {"IMPUESTO", dec(l.tax)}});
    }
    void receipt(const std::string& number, const std::string& time,
                 std::initializer_list<const char*> docs, std::initializer_list<Tend> tenders,
                 const std::string& currency = "CO", const char* stored_rate = nullptr,
                 const std::string& reg = "C1", const Date& day = kDay) {
        add_record(*db, "ENC_MOVE",
                   {{"NEGOCIO", kCashBiz},
                    {"MOVIMIENTO", number},
                    {"FECHA", day},
                    {"HORA", time},
                    {"CLIENTE", "C1"},
                    {"NOM_CLIENT", "otro nombre"},
                    {"MONEDA", currency},
                    {"CAJA", reg}});
        for (const char* d : docs)
            add_record(*db, "DET_MOVE",
                       {{"NEGOCIO", kCashBiz}, {"MOVIMIENTO", number}, {"DOCUMENTO", d}});
        for (const auto& t : tenders)
            add_record(*db, "DET_MOV2",
                       {{"NEGOCIO", kCashBiz},
                        {"MOVIMIENTO", number},
                        {"CODIGO", t.code},
                        {"MONTO", dec(t.amount)}});
        if (stored_rate)
            add_record(*db, "DET_MOV3",
                       {{"NEGOCIO", kCashBiz},
                        {"MOVIMIENTO", number},
                        {"MONEDA_1", currency},
                        {"MONEDA_2", "CO"},
                        {"CAMBIO", dec(stored_rate)}});
    }
    dc::ClosingRequest shift(const std::string& from = "08:00:00",
                             const std::string& to = "18:00:00") {
        dc::ClosingRequest r;
        r.business = kCashBiz;
        r.register_code = "C1";
        r.start_date = r.end_date = kDay;
        r.start_time = from;
        r.end_time = to;
        r.operator_code = "01";
        return r;
    }
    dc::Closing closing(const dc::ClosingRequest& r) {
        auto c = dc::read_closing(*db, r);
        EXPECT_TRUE(c.has_value());
        return c.value_or(dc::Closing{});
    }
    static const dc::ClosingType& of(const dc::Closing& c, const std::string& code) {
        for (const auto& t : c.types)
            if (t.code == code) return t;
        throw std::logic_error("no type " + code);
    }
};

TEST_P(ClosingTest, AReceiptPaidHalfInCashAndHalfByCardCountsItsInvoiceOnce) {
    // Net 100 taxed at 13 % and 90 exempt (two at 50 less 10 %).
    doc("D1", {{"100", "1", "0", "13"}, {"50", "2", "10", "0"}});
    receipt("R1", "10:00:00", {"D1"}, {{"EF", "100.00"}, {"TC", "103.00"}});
    const auto c = closing(shift());
    EXPECT_EQ(c.register_name, "Caja C1");
    EXPECT_EQ(c.cashier, "ANA");
    EXPECT_EQ(c.symbol, "C");
    ASSERT_EQ(of(c, "EF").lines.size(), 1u);
    ASSERT_EQ(of(c, "TC").lines.size(), 1u);
    const auto& line = of(c, "TC").lines[0];
    EXPECT_EQ(line.receipt, "R1");
    EXPECT_EQ(line.reference, "D1");
    EXPECT_EQ(line.customer, "Ana Mora") << "the customer file's name";
    EXPECT_EQ(line.amount, dec("103"));
    EXPECT_EQ(of(c, "EF").total, dec("100"));
    EXPECT_EQ(c.grand_total, dec("203"));
    EXPECT_EQ(c.collected, dec("203"));
    // Once for the receipt, not once per tender line.
    EXPECT_EQ(c.taxed, dec("100"));
    EXPECT_EQ(c.exempt, dec("90"));
    EXPECT_EQ(c.tax, dec("13"));
    EXPECT_EQ(c.receipts, 1);
}

TEST_P(ClosingTest, AReceiptAnnulledWithinTheShiftNetsItsTendersAndItsTaxesToNothing) {
    doc("D1", {{"100", "1", "0", "13"}, {"50", "2", "10", "0"}});
    receipt("R1", "10:00:00", {}, {{"EF", "100.00"}, {"TC", "103.00"}});
    add_record(*db, "DET_MOVE",
               {{"NEGOCIO", kCashBiz},
                {"MOVIMIENTO", "R1"},
                {"DOCUMENTO", "D1"},
                {"SALDO_ANT", dec("203")},
                {"SALDO", dec("0")}});
    // The annulment's mirror receipt gives the document its balance back.
    receipt("R2", "11:00:00", {}, {{"EF", "-100.00"}, {"TC", "-103.00"}});
    add_record(*db, "DET_MOVE",
               {{"NEGOCIO", kCashBiz},
                {"MOVIMIENTO", "R2"},
                {"DOCUMENTO", "D1"},
                {"SALDO_ANT", dec("0")},
                {"SALDO", dec("203")}});
    const auto c = closing(shift());
    EXPECT_TRUE(c.grand_total.is_zero());
    EXPECT_TRUE(c.taxed.is_zero()) << c.taxed.to_string();
    EXPECT_TRUE(c.exempt.is_zero());
    EXPECT_TRUE(c.tax.is_zero());
}

TEST_P(ClosingTest, MoneyOutSubtractsAndATypeLeftOutOfTheClosingIsNotCollected) {
    doc("D2", {{"130", "1", "0", "0"}});
    doc("D3", {{"40", "1", "0", "0"}});
    receipt("R2", "11:00:00", {"D2"}, {{"CH", "150.00"}, {"DV", "20.00"}});
    receipt("R3", "12:00:00", {"D3"}, {{"CR", "40.00"}});
    const auto c = closing(shift());
    EXPECT_EQ(of(c, "DV").total, dec("-20"));
    EXPECT_EQ(of(c, "DV").lines.at(0).amount, dec("-20"));
    EXPECT_EQ(of(c, "CR").total, dec("40"));
    EXPECT_EQ(c.grand_total, dec("170"));
    EXPECT_EQ(c.collected, dec("130"));
    EXPECT_TRUE(of(c, "XX").total.is_zero());
    EXPECT_EQ(c.exempt, dec("170"));

    // The types come in code order, whatever order they were written in.
    std::vector<std::string> codes;
    for (const auto& t : c.types) codes.push_back(t.code);
    EXPECT_EQ(codes, (std::vector<std::string>{"CH", "CR", "DV", "EF", "TC", "XX"}));
}

TEST_P(ClosingTest, WithoutAClosingCurrencyEachReceiptKeepsItsOwnRate) {
    add_record(*db, "T_CAMBIO",
               {{"NEGOCIO", kCashBiz},
                {"MONEDA1", "US"},
                {"MONEDA2", "CO"},
                {"FECHA", kDay - 3},
                {"CAMBIO", dec("510")}});
    add_record(*db, "T_CAMBIO",
               {{"NEGOCIO", kCashBiz},
                {"MONEDA1", "US"},
                {"MONEDA2", "CO"},
                {"FECHA", kDay + 5},
                {"CAMBIO", dec("530")}});
    doc("D4", {{"10", "1", "0", "13"}});
    receipt("R4", "10:00:00", {"D4"}, {{"EF", "11.30"}}, "US", "500");
    receipt("R5", "10:05:00", {"D4"}, {{"EF", "1.00"}}, "US");
    auto c = closing(shift());
    const auto& lines = of(c, "EF").lines;
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].amount, dec("5650")) << "at the 500 stored with the receipt";
    EXPECT_EQ(lines[0].symbol, "$");
    EXPECT_EQ(lines[1].amount, dec("1")) << "no rate stored: 1";
    EXPECT_EQ(c.tax, dec("651.30")) << "1.30 at 500 and 1.30 at 1";

    // Closing in colones: the rate of the receipt's day, not the stored one nor a later one.
    set_field("CAJA_ENC", "C1", "MON_CIERRE", std::string("CO"));
    c = closing(shift());
    EXPECT_EQ(of(c, "EF").lines[0].amount, dec("5763"));
    EXPECT_EQ(of(c, "EF").lines[1].amount, dec("510"));
}

TEST_P(ClosingTest, AReceiptApplyingThreeDocumentsIsMarkedAndCountsEachOnce) {
    doc("D5", {{"100", "1", "0", "13"}});
    doc("D6", {{"200", "1", "0", "0"}});
    doc("D7", {{"50", "2", "50", "13"}});
    receipt("R6", "10:00:00", {"D5", "D6", "D7"}, {{"EF", "300.00"}, {"TC", "119.50"}});
    const auto c = closing(shift());
    EXPECT_EQ(of(c, "EF").lines.at(0).reference, "*D7");
    EXPECT_EQ(c.taxed, dec("150"));
    EXPECT_EQ(c.exempt, dec("200"));
    EXPECT_EQ(c.tax, dec("19.50"));
}

TEST_P(ClosingTest, ThePeriodTakesItsBoundsAndOnlyThisRegister) {
    doc("D8", {{"1", "1", "0", "0"}});
    receipt("AT-START", "08:00:00", {"D8"}, {{"EF", "1"}});
    receipt("AT-END", "18:00:00", {"D8"}, {{"EF", "2"}});
    receipt("AFTER", "18:00:01", {"D8"}, {{"EF", "4"}});
    receipt("BEFORE", "07:59:59", {"D8"}, {{"EF", "8"}});
    receipt("OTHER-REG", "12:00:00", {"D8"}, {{"EF", "16"}}, "CO", nullptr, "C2");
    receipt("NEXT-DAY", "01:00:00", {"D8"}, {{"EF", "32"}}, "CO", nullptr, "C1", kDay + 1);
    EXPECT_EQ(closing(shift()).grand_total, dec("3"));
    // An open end runs to the end of the business day.
    auto open = shift();
    open.end_date = {};
    open.end_time = "";
    const auto c = closing(open);
    EXPECT_EQ(c.end_date, kDay);
    EXPECT_EQ(c.end_time, "23:59:59");
    EXPECT_EQ(c.grand_total, dec("7"));
    EXPECT_EQ(dc::closing_period(c), "Entre: 10/05/2026 08:00:00  y 10/05/2026 23:59:59");
    auto unknown = shift();
    unknown.register_code = "NONE";
    EXPECT_FALSE(dc::read_closing(*db, unknown).has_value());
}

// The totals again, straight from the rows: every tender line of every receipt in the period.
TEST_P(ClosingTest, TotalsAgreeWithARecomputationFromTheRows) {
    const char* codes[] = {"CH", "CR", "DV", "EF", "TC"};
    for (int d = 0; d < 6; ++d)
        doc("M" + std::to_string(d),
            {{d % 2 ? "12.50" : "100", "3", d % 3 ? "5" : "0", d % 2 ? "13" : "0"}});
    for (int i = 0; i < 40; ++i) {
        const std::string n = "Q" + std::to_string(100 + i);
        const std::string time = "1" + std::to_string(i % 8) + ":" + std::to_string(10 + i) + ":00";
        const std::string d1 = "M" + std::to_string(i % 6), d2 = "M" + std::to_string((i + 1) % 6);
        const std::string a1 = std::to_string(i + 1) + ".25", a2 = std::to_string(i % 7) + ".10";
        receipt(n, time, {d1.c_str(), d2.c_str()},
                {{codes[i % 5], a1.c_str()}, {codes[(i + 2) % 5], a2.c_str()}}, i % 3 ? "CO" : "US",
                i % 3 ? nullptr : "512.5");
    }
    const auto c = closing(shift());

    std::map<std::string, Decimal> by_type;
    Decimal grand, collected, tax;
    const std::set<std::string> out{"DV"}, left_out{"CR"};
    data::Table enc = data::USE(*db, "ENC_MOVE", "ENC_MOVE");
    enc->SetScope(data::business_key(kCashBiz), data::business_key(kCashBiz));
    long receipts = 0;
    for (enc->GoTop(); !enc->Eof(); enc->Skip()) {
        const std::string number = rtrim(enc->str("MOVIMIENTO"));
        const Decimal rate = enc->str("MONEDA").starts_with("US") ? dec("512.5") : Decimal(1);
        ++receipts;
        data::Table ten = data::USE(*db, "DET_MOV2", "DET_MOV2");
        const std::string key = data::order_key("DET_MOV2", "DET_MOV2", {kCashBiz, number});
        ten->SetScope(key, key);
        for (ten->GoTop(); !ten->Eof(); ten->Skip()) {
            const std::string code = rtrim(ten->str("CODIGO"));
            Decimal a = (ten->num("MONTO") * rate * Decimal(out.count(code) ? -1 : 1)).round(2);
            by_type[code] += a;
            grand += a;
            if (!left_out.count(code)) collected += a;
        }
        data::KILLTABLA(*db, ten);
        data::Table app = data::USE(*db, "DET_MOVE", "DET_MOVE");
        const std::string akey = data::order_key("DET_MOVE", "DET_MOVE", {kCashBiz, number});
        app->SetScope(akey, akey);
        for (app->GoTop(); !app->Eof(); app->Skip()) {
            data::Table lines = data::USE(*db, "DET_DOC", "DET_DOC");
            const std::string dkey =
                data::order_key("DET_DOC", "DET_DOC", {kCashBiz, rtrim(app->str("DOCUMENTO"))});
            lines->SetScope(dkey, dkey);
            for (lines->GoTop(); !lines->Eof(); lines->Skip())
                tax += lines->num("PRECIO") * lines->num("CANTIDAD") *
                       (Decimal(100) - lines->num("DESCUENTO")) / Decimal(100) *
                       lines->num("IMPUESTO") / Decimal(100) * rate;
            data::KILLTABLA(*db, lines);
        }
        data::KILLTABLA(*db, app);
    }
    data::KILLTABLA(*db, enc);

    EXPECT_EQ(c.receipts, receipts);
    for (const auto& t : c.types) EXPECT_EQ(t.total, by_type[t.code]) << t.code;
    EXPECT_EQ(c.grand_total, grand);
    EXPECT_EQ(c.collected, collected);
    EXPECT_EQ(c.tax, tax.round(2));
}

TEST_P(ClosingTest, ShiftsAreNumberedFromTheOldestAndTheCsvCarriesEveryTotal) {
    using Span = std::pair<const char*, const char*>;
    for (const auto& [from, to] : {Span{"06:00:00", "07:00:00"}, Span{"08:00:00", "18:00:00"}})
        add_record(*db, "CAJA_DET",
                   {{"NEGOCIO", kCashBiz},
                    {"CAJA", "C1"},
                    {"FECHA_INI", kDay},
                    {"HORA_INI", std::string(from)},
                    {"FECHA_FIN", kDay},
                    {"HORA_FIN", std::string(to)},
                    {"AGENTE", "02"}});
    auto last = dc::pick_shift_closing(*db, kCashBiz, "C1", std::nullopt);
    ASSERT_TRUE(last.request);
    EXPECT_EQ(last.request->start_time, "08:00:00");
    EXPECT_EQ(dc::pick_shift_closing(*db, kCashBiz, "C1", 1).request->end_time, "07:00:00");
    EXPECT_EQ(dc::pick_shift_closing(*db, kCashBiz, "C1", 3).refusal,
              "La caja C1 tiene 2 turnos; no hay turno 3");
    EXPECT_EQ(dc::pick_shift_closing(*db, kCashBiz, "NO", 1).refusal,
              "La caja NO no existe en la empresa HOTEL");

    doc("D9", {{"100", "1", "0", "13"}});
    receipt("R9", "09:00:00", {"D9"}, {{"EF", "113.00"}, {"DV", "5"}});
    const auto c = closing(*last.request);
    EXPECT_EQ(c.cashier, "JEFE");
    EXPECT_EQ(dc::closing_csv(c, true),
              "registro,codigo,descripcion,fecha,hora,movimiento,cliente,referencia,moneda,monto\n"
              "linea,DV,Vuelto,2026-05-10,09:00:00,R9,Ana Mora,D9,C,-5.00\n"
              "tipo,DV,Vuelto,,,,,,C,-5.00\n"
              "linea,EF,Efectivo,2026-05-10,09:00:00,R9,Ana Mora,D9,C,113.00\n"
              "tipo,EF,Efectivo,,,,,,C,113.00\n"
              "total,GRAVADO,Gran Total Gravado,,,,,,C,100.00\n"
              "total,EXENTO,Gran Total Exento,,,,,,C,0.00\n"
              "total,IMPUESTOS,Gran Total Impuestos,,,,,,C,13.00\n"
              "total,GENERAL,Gran Total,,,,,,C,108.00\n"
              "total,RECAUDADO,Gran Total Recaudado,,,,,,C,108.00\n");
    EXPECT_EQ(dc::closing_csv(c, false).find("linea,"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Engines, ClosingTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL), engine_name);

}  // namespace
}  // namespace qz::test
