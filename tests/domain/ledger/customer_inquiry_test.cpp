// What the customer inquiry reads from the demonstration ledger, on each engine: the customers
// of each filter through the state orders, a customer's documents through its customer and
// branch orders with their highlight by use, a document's data with its names, lines, extra
// header and instalments, the payment lines applied to it, the customer's payments newest first,
// and where a document's image is.
#include "domain/ledger/customer_inquiry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "core/text.h"
#include "data/order_key.h"
#include "data/table_ops.h"
#include "domain/ledger/demo_ledger_fixture.h"
#include "support/record_edit.h"

using namespace qz;
using namespace qz::domain;
using qz::test::Engine;

namespace {

const std::string kHotel = "HOTEL";
const std::string kAgency = "3101123456";
const Date kToday(2026, 5, 20);
// The demonstration agency's documents: the instalment invoice (75 days ago), the credit note
// (10 days ago) and the credit invoice (2 days ago).
const char* const kPlanInvoice = "F00001002";
const char* const kNote = "NC00000001";
const char* const kInvoice = "F00001001";

TEST(LineAmounts, DiscountOnThePriceAndTaxOnTheDiscountedPrice) {
    const LineAmounts a = line_amounts(Decimal(3), Decimal(100), Decimal(10), Decimal(13));
    EXPECT_EQ(a.gross, Decimal(300));
    EXPECT_EQ(a.discount, Decimal(30));
    EXPECT_EQ(a.tax, Decimal::parse("35.10")) << "13 % of 270, not of 300";
    EXPECT_EQ(a.net(), Decimal::parse("305.10"));
    const LineAmounts cents =
        line_amounts(Decimal::parse("0.333"), Decimal::parse("10.0050"), Decimal(0), Decimal(13));
    EXPECT_EQ(cents.gross, Decimal::parse("3.33")) << "each amount rounded to the cent";
    EXPECT_EQ(cents.tax, Decimal::parse("0.43"));
}

class CustomerInquiryTest : public qz::test::DemoLedgerTest {
protected:
    // The `field` of every row of `order` within the key prefix `scope`, in key order.
    std::vector<std::string> listed(const std::string& table, const std::string& order,
                                    const std::string& scope, const char* field) {
        data::Table t = data::USE(*db, table, order);
        t->SetScope(scope, scope);
        std::vector<std::string> out;
        for (t->GoTop(); !t->Eof(); t->Skip()) out.push_back(trim(t->str(field)));
        data::KILLTABLA(*db, t);
        return out;
    }
    std::vector<std::string> customers(CustomerFilter f, bool by_name = false) {
        const ListOrders o = customer_list_orders(kHotel, f);
        return listed("CLIENTES", by_name ? o.by_name : o.by_code, o.scope,
                      by_name ? "NOMBRE" : "CODIGO");
    }
    std::vector<std::string> documents(const std::string& branch) {
        const DocumentScope s = customer_document_scope(kHotel, kAgency, branch);
        return listed("DOCUMENT", s.order, s.scope, "DOCUMENTO");
    }
    // The name the search finds first in `f`'s name order when `typed` is sought softly.
    std::string found_by_name(CustomerFilter f, const std::string& typed) {
        const ListOrders o = customer_list_orders(kHotel, f);
        data::Table t = data::USE(*db, "CLIENTES", o.by_name);
        t->SetScope(o.scope, o.scope);
        const bool found = t->Seek(o.scope + typed);
        const std::string name = found ? trim(t->str("NOMBRE")) : "";
        data::KILLTABLA(*db, t);
        return name;
    }
    void receipt(const std::string& number, const Date& date, int amount,
                 const std::string& document, const std::string& annulled = "") {
        test::add_record(*db, "ENC_MOVE",
                         {{"NEGOCIO", kHotel},
                          {"MOVIMIENTO", number},
                          {"FECHA", date},
                          {"CLIENTE", kAgency},
                          {"MONTO", Decimal(amount)},
                          {"MONEDA", std::string("CO")},
                          {"ANULADO", annulled}});
        test::add_record(*db, "DET_MOVE",
                         {{"NEGOCIO", kHotel},
                          {"MOVIMIENTO", number},
                          {"DOCUMENTO", document},
                          {"CONCEPTO", std::string("AB")},
                          {"FECHA", date},
                          {"MONTO", Decimal(amount)},
                          {"SALDO_ANT", Decimal(amount * 2)},
                          {"SALDO", Decimal(amount)}});
    }
};

TEST_P(CustomerInquiryTest, EachFilterListsItsCustomersByCodeOrNameAndFollowsAChangeOfState) {
    const auto active = customers(CustomerFilter::Active);
    EXPECT_TRUE(std::is_sorted(active.begin(), active.end()));
    EXPECT_NE(std::find(active.begin(), active.end(), kAgency), active.end());
    EXPECT_EQ(std::find(active.begin(), active.end(), "3101998877"), active.end());
    EXPECT_EQ(customers(CustomerFilter::Inactive), std::vector<std::string>{"3101998877"});
    EXPECT_EQ(customers(CustomerFilter::All).size(), active.size() + 1);
    const auto names = customers(CustomerFilter::Active, true);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(found_by_name(CustomerFilter::Active, "Tur"), "Turismo Pura Vida S.A.");
    EXPECT_EQ(found_by_name(CustomerFilter::Inactive, "Tur"), "")
        << "a search stays within the filter's customers";

    // The state class is part of the key the database keeps: deactivating moves the customer.
    test::edit_record(*db, "CLIENTES", "CLIENTES",
                      data::order_key("CLIENTES", "CLIENTES", {kHotel, kAgency}),
                      [](data::WDBTable& t) { t.FieldPut("ESTADO", Decimal(0)); });
    EXPECT_EQ(customers(CustomerFilter::Inactive),
              (std::vector<std::string>{"3101123456", "3101998877"}));
    EXPECT_EQ(found_by_name(CustomerFilter::Inactive, "Tur"), "Turismo Pura Vida S.A.");
}

TEST_P(CustomerInquiryTest, DocumentsOfTheCustomerOrOfOneBranchByDateWithTheirHighlight) {
    EXPECT_EQ(documents(""), (std::vector<std::string>{kPlanInvoice, kNote, kInvoice}));
    EXPECT_EQ(documents("01"), documents(""));
    EXPECT_TRUE(documents("02").empty());
    test::add_record(*db, "DOCUMENT",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string("F-LIBERIA")},
                      {"CLIENTE", kAgency},
                      {"SUBCLIENTE", std::string("02")},
                      {"FECHA", kToday - 100}});
    EXPECT_EQ(documents("02"), std::vector<std::string>{"F-LIBERIA"});
    EXPECT_EQ(documents("").front(), "F-LIBERIA") << "the oldest first";

    EXPECT_EQ(read_document_header(*db, kHotel, kInvoice)->used, 1);
    EXPECT_EQ(read_document_header(*db, kHotel, kPlanInvoice)->used, 2);
    EXPECT_EQ(usage_highlight(1), 1);
    EXPECT_EQ(usage_highlight(2), 2);
    for (int other : {0, 3, 9, -1}) EXPECT_EQ(usage_highlight(other), 0) << other;

    const auto c = inquiry_customer(*db, kHotel, kAgency);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->clas1.shown(), "02 - Empresas");
    EXPECT_EQ(c->category.name, "Corporativo");
    ASSERT_EQ(c->branches.size(), 3u);
    EXPECT_TRUE(c->branches[0].principal);
    EXPECT_EQ(c->branches[0].classification.shown(), "01 - Oficina central");
    EXPECT_EQ(c->branches[1].phone, "2666-2020");
    EXPECT_FALSE(inquiry_customer(*db, kHotel, "NADIE"));
}

TEST_P(CustomerInquiryTest, DocumentDataNamesItsCodesAndAddsUpItsLines) {
    auto d = read_document_data(*db, kHotel, kInvoice);
    ASSERT_TRUE(d);
    const DocumentHeader& h = d->header;
    EXPECT_EQ(h.concept_code.shown(), "FA - Factura Crédito");
    EXPECT_EQ(h.sign, 1);
    EXPECT_EQ(h.currency.name, "Colones");
    EXPECT_EQ(h.customer, kAgency);
    EXPECT_EQ(h.branch, "01");
    EXPECT_EQ(h.date, kToday - 2);
    EXPECT_EQ(h.due, kToday + 28);
    EXPECT_NE(h.used_info.find("Paquete canjeado"), std::string::npos) << h.used_info;
    EXPECT_FALSE(h.annulled());
    ASSERT_EQ(d->lines.size(), 2u);
    EXPECT_EQ(d->lines[1].code, "FAC001");
    EXPECT_FALSE(d->lines[1].description.empty()) << "the article's name";
    EXPECT_EQ(d->lines[1].amounts.tax, Decimal::parse("10010.00"));
    EXPECT_EQ(d->totals.net(), h.amount) << "the lines add up to the document";
    EXPECT_FALSE(d->extra);
    ASSERT_EQ(d->instalments.size(), 1u);
    EXPECT_EQ(d->instalments[0].amount, h.amount);

    test::add_record(*db, "ENC_DOC2",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string(kInvoice)},
                      {"ATENCION", std::string("Sra. Jiménez")},
                      {"VAL_DOC", Decimal(5)}});
    d = read_document_data(*db, kHotel, kInvoice);
    ASSERT_TRUE(d->extra);
    EXPECT_EQ(d->extra->attention, "Sra. Jiménez");
    EXPECT_EQ(read_document_data(*db, kHotel, kNote)->header.sign, -1);
    EXPECT_FALSE(read_document_data(*db, kHotel, "NOEXISTE"));
}

TEST_P(CustomerInquiryTest, MovementsOfADocumentShowEachReceiptWithItsAnnulment) {
    auto m = document_movements(*db, kHotel, kPlanInvoice);
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].movement, "R00000501");
    EXPECT_EQ(m[0].date, kToday - 40);
    EXPECT_EQ(m[0].concept_code.code, "AB");
    EXPECT_FALSE(m[0].concept_code.name.empty());
    EXPECT_EQ(m[0].amount, Decimal(150000));
    EXPECT_EQ(m[0].balance_before, Decimal(300000));
    EXPECT_EQ(m[0].balance_after, Decimal(150000));
    EXPECT_TRUE(m[0].annulled_by.empty());

    receipt("R00000600", kToday - 3, 100, kPlanInvoice, "R00000600-A");
    receipt("R00000600-A", kToday - 2, 100, kPlanInvoice, "R00000600");
    m = document_movements(*db, kHotel, kPlanInvoice);
    ASSERT_EQ(m.size(), 3u) << "annulled receipts stay in sight, marked";
    EXPECT_EQ(m[1].movement, "R00000600");
    EXPECT_EQ(m[1].annulled_by, "R00000600-A");
    EXPECT_EQ(m[2].annulled_by, "R00000600");
    EXPECT_TRUE(document_movements(*db, kHotel, kInvoice).empty());
}

TEST_P(CustomerInquiryTest, PaymentsNewestFirstWithTheirApplicationsAndTheValidOnesTotalled) {
    receipt("R00000700", kToday - 5, 1000, kInvoice);
    receipt("R00000600", kToday - 50, 100, kPlanInvoice, "R00000600-A");
    receipt("R00000600-A", kToday - 50, 100, kPlanInvoice, "R00000600");
    const auto payments = customer_payments(*db, kHotel, kAgency);
    std::vector<std::string> numbers;
    for (const auto& p : payments) numbers.push_back(p.movement);
    EXPECT_EQ(numbers,
              (std::vector<std::string>{"R00000700", "R00000501", "R00000600-A", "R00000600"}));
    EXPECT_TRUE(payments[2].annulled());

    const auto applied = payment_applications(*db, kHotel, "R00000501");
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied[0].document, kPlanInvoice);
    EXPECT_EQ(applied[0].balance_after, Decimal(150000));

    const PaymentHistory h = payment_history(*db, kHotel, kAgency);
    EXPECT_EQ(h.heading.code, kAgency);
    ASSERT_EQ(h.payments.size(), 4u);
    ASSERT_EQ(h.payments[0].applications.size(), 1u);
    EXPECT_EQ(h.payments[0].applications[0].document, kInvoice);
    ASSERT_EQ(h.totals.size(), 1u);
    EXPECT_EQ(h.totals[0].amount, Decimal(161500)) << "the annulled pair adds nothing";
    EXPECT_TRUE(customer_payments(*db, kHotel, "3102654321").empty());
}

TEST_P(CustomerInquiryTest, TheImageIsNoneMissingOrFoundUnderTheInstallation) {
    EXPECT_EQ(document_image(*db, kHotel, kInvoice).state, DocumentImage::State::None);
    test::add_record(*db, "ENC_DOC2",
                     {{"NEGOCIO", kHotel},
                      {"DOCUMENTO", std::string(kInvoice)},
                      {"IMAGEN", std::string("BMP/F00001001.png")}});
    DocumentImage image = document_image(*db, kHotel, kInvoice);
    EXPECT_EQ(image.state, DocumentImage::State::Missing);
    const auto expected = std::filesystem::path(inst->home()) / "BMP" / "F00001001.png";
    EXPECT_EQ(image.path, expected.string());
    std::filesystem::create_directories(expected.parent_path());
    std::ofstream(expected) << "png";
    EXPECT_EQ(document_image(*db, kHotel, kInvoice).state, DocumentImage::State::Found);
}

INSTANTIATE_TEST_SUITE_P(Ledger, CustomerInquiryTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         qz::test::engine_name);

}  // namespace
