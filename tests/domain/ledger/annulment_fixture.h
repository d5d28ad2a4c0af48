#pragma once
// Annulments tried on the demonstration business (its credit invoice F00001001 of two days ago,
// with its voucher) and on a cash sale made here: a stocked article and a service, its
// inventory issue, and the payment taken with it in cash and by card, posted with it.
#include <optional>
#include <string>
#include <vector>

#include "core/text.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "domain/ledger/document_annulment.h"
#include "domain/ledger/journal.h"
#include "support/record_edit.h"

namespace qz::test {

inline const std::string kHotel = "HOTEL";
inline const std::string kDemoInvoice = "F00001001";
inline const std::string kCashSale = "T00000001";
inline const std::string kCashReceipt = "R00009001";
inline const Date kToday{2026, 5, 20};

// The payment of the cash sale, and the voucher of the sale and its payment.
inline void pay_cash_sale(data::Db& db, const Date& day) {
    add_record(db, "ENC_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", kCashReceipt},
                {"FECHA", day},
                {"CLIENTE", std::string("CONTADO")},
                {"MONTO", Decimal(56500)},
                {"MONEDA", std::string("CO")}});
    add_record(db, "DET_MOVE",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", kCashReceipt},
                {"DOCUMENTO", kCashSale},
                {"CONCEPTO", std::string("CA")},
                {"DESCRIP", std::string("Cancelación ") + kCashSale},
                {"MONTO", Decimal(56500)},
                {"SALDO_ANT", Decimal(56500)}});
    // Cash has a method of its own for giving money back; the card does not.
    add_record(db, "TIPO_MOV",
               {{"NEGOCIO", kHotel},
                {"CODIGO", std::string("DE")},
                {"DESCRIP", std::string("Devolución de efectivo")},
                {"TIPO", Decimal(1)}});
    edit_record(db, "TIPO_MOV", "TIPO_MOV", data::order_key("TIPO_MOV", "TIPO_MOV", {kHotel, "EF"}),
                [](data::WDBTable& t) { t.FieldPut("OPUESTO", std::string("DE")); });
    const std::pair<const char*, long> tenders[] = {{"EF", 50000}, {"TC", 6500}};
    for (const auto& [method, amount] : tenders)
        add_record(db, "DET_MOV2",
                   {{"NEGOCIO", kHotel},
                    {"MOVIMIENTO", kCashReceipt},
                    {"CODIGO", std::string(method)},
                    {"MONTO", Decimal(amount)},
                    {"DESCRIP", std::string(method)}});
    // The sale posts its sales and tax, the payment its tenders, in the day's voucher.
    domain::ContaTransaction c(db, kHotel, "02", day, kCashSale, {"SUP", "t"});
    c.post_link("VENTAS_SPA", Decimal(50000), "CO", Decimal(1), "Ventas: " + kCashSale);
    c.post_link("IMPUESTOS", Decimal(6500), "CO", Decimal(1), "(T)Impuesto: " + kCashSale);
    c.set_document(kCashReceipt);
    c.post_link("CAJA_EF", Decimal(50000), "CO", Decimal(1), "Ingreso: " + kCashReceipt);
    c.post_link("CAJA_TC", Decimal(6500), "CO", Decimal(1),
                "Ingreso: " + kCashReceipt + " Vchr:123 Aut:456");
    c.close();
}

// A cash sale (concept FK, without receivable) of a stocked article and a service, issued
// from warehouse 01 by inventory movement INV0001, paid at once with cash and a card.
inline void make_cash_sale(data::Db& db) {
    add_record(db, "CONCEPT1",
               {{"NEGOCIO", kHotel},
                {"CONCEPTO", std::string("FK")},
                {"DESCRIP", std::string("Venta de Contado")},
                {"TIPO", Decimal(1)},
                {"OPUESTO", std::string("NC")},
                {"NO_CXC", Decimal(1)},
                {"DETALLE", Decimal(1)}});
    add_record(db, "DEF_ART",
               {{"NEGOCIO", kHotel},
                {"CODIGO", std::string("ACE01")},
                {"DESCRIP", std::string("Aceite de masaje")},
                {"TIPO", Decimal(1)},
                {"COSTO_PROM", Decimal::parse("1250.5")}});
    add_record(db, "ARTICULO",
               {{"NEGOCIO", kHotel},
                {"ARTICULO", std::string("ACE01")},
                {"BODEGA", std::string("01")},
                {"CANTIDAD", Decimal(7)}});
    const Date day = kToday - 1;
    add_record(db, "DOCUMENT",
               {{"NEGOCIO", kHotel},
                {"DOCUMENTO", kCashSale},
                {"CONCEPTO", std::string("FK")},
                {"CLIENTE", std::string("CONTADO")},
                {"NOM_CLIENT", std::string("Ana Mora")},
                {"FECHA", day},
                {"VENCE", day},
                {"MONEDA", std::string("CO")},
                {"MONTO", Decimal(56500)},
                {"SALDO", Decimal(0)},
                {"BODEGA", std::string("01")},
                {"MOV_INV", std::string("INV0001")}});
    const std::pair<const char*, int> lines[] = {{"ACE01", 3}, {"MAS001", 1}};
    int n = 0;
    for (const auto& [article, quantity] : lines)
        add_record(db, "DET_DOC",
                   {{"NEGOCIO", kHotel},
                    {"DOCUMENTO", kCashSale},
                    {"N_INDEX", Decimal(++n)},
                    {"CODIGO", std::string(article)},
                    {"CANTIDAD", Decimal(quantity)},
                    {"COSTO", Decimal(900)},
                    {"FECHA", day}});
    add_record(db, "ENC_INV",
               {{"NEGOCIO", kHotel},
                {"MOVIMIENTO", std::string("INV0001")},
                {"CONCEPTO", std::string("SA")},
                {"BODEGA", std::string("01")},
                {"DOCUMENTO", kCashSale},
                {"FECHA", day}});
    pay_cash_sale(db, day);
}

class AnnulmentTest : public DemoLedgerTest {
protected:
    domain::AnnulmentResult annul(const std::string& number, Date date = kToday,
                                  bool confirm = true) {
        confirmed.reset();
        return domain::annul_document(*db, inst->port, {kHotel, number, "SUP", date},
                                      [&](const domain::AnnulmentPreview& p) {
                                          confirmed = p;
                                          return confirm;
                                      });
    }

    // The document's row, positioned; the test fails when there is none.
    data::Table doc(const std::string& number) {
        data::Table t = data::USE(*db, "DOCUMENT", "DOCUMENT");
        EXPECT_TRUE(t->Seek(data::order_key("DOCUMENT", "DOCUMENT", {kHotel, number}))) << number;
        return t;
    }
    std::string text(const std::string& table, const std::string& order, const std::string& key,
                     const std::string& field) {
        data::Table t = data::USE(*db, table, order);
        const std::string v = t->Seek(key) ? trim(t->str(field)) : "<ninguno>";
        data::KILLTABLA(*db, t);
        return v;
    }

    Decimal number(const std::string& table, const std::string& order, const std::string& key,
                   const std::string& field) {
        data::Table t = data::USE(*db, table, order);
        const Decimal v = t->Seek(key) ? t->num(field) : Decimal(-1);
        data::KILLTABLA(*db, t);
        return v;
    }

    // "account D|C amount description" of the lines posted under `reference`.
    std::vector<std::string> posted(const std::string& reference) {
        std::vector<std::string> out;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS6");
        const std::string key = data::order_key("DET_AS", "DET_AS6", {kHotel, reference});
        t->SetScope(key, key);
        for (t->GoTop(); !t->Eof(); t->Skip()) {
            const bool debit = t->num("DEBITO").sign() != 0;
            out.push_back(trim(t->str("CUENTA")) + (debit ? " D " : " C ") +
                          (debit ? t->num("DEBITO") : t->num("CREDITO")).to_string(2) + " " +
                          trim(t->str("DESCRIP")));
        }
        data::KILLTABLA(*db, t);
        return out;
    }
    // Debits less credits of `account` over the lines posted under the references.
    Decimal net(const std::string& account, std::initializer_list<std::string> references) {
        Decimal n;
        data::Table t = data::USE(*db, "DET_AS", "DET_AS6");
        for (const auto& r : references) {
            const std::string key = data::order_key("DET_AS", "DET_AS6", {kHotel, r});
            t->SetScope(key, key);
            for (t->GoTop(); !t->Eof(); t->Skip())
                if (trim(t->str("CUENTA")) == account) n += t->num("DEBITO") - t->num("CREDITO");
        }
        data::KILLTABLA(*db, t);
        return n;
    }

    void set_invoicing(const char* field, long value) {
        edit_record(*db, "F_FAC", "F_FAC", data::order_key("F_FAC", "F_FAC", {kHotel}),
                    [&](data::WDBTable& t) { t.FieldPut(field, Decimal(value)); });
    }

    std::optional<domain::AnnulmentPreview> confirmed;
};

}  // namespace qz::test
