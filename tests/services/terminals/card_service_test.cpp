// PAGO_ELECTRONICO over the training libraries of both networks: approvals, denials, time-outs,
// unreadable replies, missing libraries and terminals, voids; one LOG_P_EL row per attempt and
// never more of a card than its last four digits.
#include <chrono>
#include <cstdlib>

#include "card_fixture.h"
#include "core/text.h"
#include "services/terminals/sockpos_reply.h"

namespace qz::test {
namespace {

using domain::pos::CardAnswer;
using domain::pos::kCardPurchase;
using domain::pos::kCardVoid;

class CardServiceTest : public CardFixture {};

TEST_F(CardServiceTest, FirstNetworkApprovesDeniesAndTimesOut) {
    const CardAnswer ok = charge(1, "125.50");
    EXPECT_TRUE(ok.approved()) << ok.message;
    EXPECT_EQ(ok.card, "************1111");
    EXPECT_EQ(ok.reference.size(), 12u);
    EXPECT_EQ(ok.authorisation.size(), 6u);
    EXPECT_EQ(ok.message, "APROBADA");
    ASSERT_EQ(ok.result.size(), 7u);
    EXPECT_EQ(ok.result[0], "0");
    EXPECT_EQ(ok.result[1], ok.card);
    EXPECT_EQ(ok.result[6], "0");

    const CardAnswer poor = charge(1, "80.99");
    EXPECT_EQ(poor.status, 0);
    EXPECT_EQ(poor.message, "FONDOS INSUFICIENTES");
    EXPECT_EQ(poor.result[0], "51");
    EXPECT_TRUE(poor.reference.empty());

    setenv("QZ_CARD_SIM_DELAY", "0.15", 1);
    const auto start = std::chrono::steady_clock::now();
    const CardAnswer late = charge(1, "10.98");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(140));
    EXPECT_EQ(late.status, 0);
    EXPECT_EQ(late.message, "TIEMPO DE ESPERA AGOTADO");

    setenv("QZ_CARD_SIM_CARD", "5500000000000002", 1);
    const CardAnswer refused = charge(1, "10.00");
    EXPECT_EQ(refused.status, 0);
    EXPECT_EQ(refused.card, "************0002");

    const auto log = logged();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].provider, 1);
    EXPECT_EQ(log[0].operation, kCardPurchase);
    EXPECT_EQ(log[0].card, "************1111");
    EXPECT_EQ(log[0].reference, ok.reference);
    EXPECT_EQ(log[0].authorisation, ok.authorisation);
    EXPECT_EQ(log[0].text, "APROBADA");
    EXPECT_NE(log[0].info_user.find(" / "), std::string::npos);
    EXPECT_EQ(log[1].text, "FONDOS INSUFICIENTES");
    EXPECT_EQ(log[2].text, "TIEMPO DE ESPERA AGOTADO");
    EXPECT_EQ(log[3].card, "************0002");
}

// The first network's fields come back in fixed-width buffers: NULs inside them are blanks,
// and a reply that fills its buffer to the last byte is not read past it.
TEST_F(CardServiceTest, FirstNetworkMalformedFieldsAreReadWithinTheirBuffers) {
    const CardAnswer a = charge(1, "10.97");
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(a.message, std::string(42, '#'));
    EXPECT_EQ(a.card, "************1111");
    ASSERT_EQ(logged().size(), 1u);
    EXPECT_EQ(logged()[0].card, "************1111");
}

TEST_F(CardServiceTest, FirstNetworkVoidsAnApprovedPurchase) {
    const CardAnswer p = charge(1, "60.00");
    ASSERT_TRUE(p.approved());
    const CardAnswer v = void_of(1, p, "60.00");
    EXPECT_TRUE(v.approved()) << v.message;
    EXPECT_EQ(v.result, (std::vector<std::string>{"0", "0"}));
    CardAnswer unknown = p;
    unknown.reference.clear();
    EXPECT_EQ(void_of(1, unknown, "60.00").status, 0);
    const auto log = logged();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].operation, kCardVoid);
    EXPECT_EQ(log[1].reference, p.reference);
    EXPECT_EQ(log[1].text, "ANULACION APROBADA");
    EXPECT_EQ(log[2].text, "TRANSACCION INVALIDA");
}

TEST_F(CardServiceTest, SecondNetworkReadsTheCardChargesItAndPrintsTheVoucher) {
    const CardAnswer a = charge(2, "125.50");
    ASSERT_TRUE(a.approved()) << a.message;
    EXPECT_EQ(reader.asked, 1);
    EXPECT_EQ(reader.amount, Decimal::parse("125.50"));
    EXPECT_FALSE(reader.symbol.empty());
    EXPECT_EQ(a.card, "************1111");
    ASSERT_EQ(a.result.size(), 7u);
    EXPECT_EQ(a.result[0], "1");
    EXPECT_EQ(a.result[1], a.card);
    EXPECT_EQ(a.result[2], "");
    EXPECT_EQ(a.result[3], a.reference);
    EXPECT_EQ(a.result[6], "APROBADA");
    EXPECT_FALSE(a.trace.empty());
    ASSERT_EQ(printer.printed.size(), 1u);
    const auto& v = printer.printed[0];
    EXPECT_FALSE(v.is_void);
    EXPECT_EQ(v.masked_card, "************1111");
    EXPECT_EQ(v.reference, a.reference);
    EXPECT_EQ(v.authorisation, a.authorisation);
    EXPECT_EQ(v.amount, Decimal::parse("125.50"));
    ASSERT_EQ(logged().size(), 1u);
    EXPECT_EQ(logged()[0].provider, 2);
    EXPECT_EQ(logged()[0].trace, a.trace);

    // A printer that fails does not undo the approval.
    printer.fail = true;
    EXPECT_TRUE(charge(2, "5.00").approved());
    EXPECT_TRUE(told("Error imprimiendo Comprobante"));
}

TEST_F(CardServiceTest, SecondNetworkDenialsTimeOutsAndUnreadableRepliesPrintNothing) {
    EXPECT_EQ(charge(2, "80.99").message, "FONDOS INSUFICIENTES");
    EXPECT_EQ(charge(2, "80.98").message, "TIEMPO DE ESPERA AGOTADO");
    const CardAnswer garbled = charge(2, "80.97");
    EXPECT_EQ(garbled.status, 0);
    EXPECT_EQ(garbled.message, services::terminals::kUnreadableReply);
    EXPECT_TRUE(garbled.reference.empty());
    reader.number = "5500000000000002";
    const CardAnswer refused = charge(2, "10.00");
    EXPECT_EQ(refused.status, 0);
    EXPECT_EQ(refused.result[0], "0");
    EXPECT_EQ(refused.card, "************0002");
    EXPECT_TRUE(printer.printed.empty());
    const auto log = logged();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].text, "51 FONDOS INSUFICIENTES");
    EXPECT_EQ(log[2].text, services::terminals::kUnreadableLog);
    EXPECT_EQ(log[3].card, "************0002");
}

TEST_F(CardServiceTest, SecondNetworkCancelledReadingSendsNothing) {
    reader.number.reset();
    const CardAnswer a = charge(2, "10.00");
    EXPECT_EQ(a.status, -1);
    EXPECT_EQ(a.result, std::vector<std::string>{"-1"});
    EXPECT_TRUE(logged().empty());
    EXPECT_TRUE(printer.printed.empty());
}

TEST_F(CardServiceTest, SecondNetworkVoidPrintsTheVoidVoucherOnlyWhenVoided) {
    const CardAnswer p = charge(2, "42.00");
    ASSERT_TRUE(p.approved());
    const CardAnswer v = void_of(2, p, "42.00");
    EXPECT_TRUE(v.approved()) << v.message;
    EXPECT_EQ(v.result, (std::vector<std::string>{"1", "ANULACION APROBADA"}));
    EXPECT_EQ(reader.asked, 1);  // a void reads no card
    ASSERT_EQ(printer.printed.size(), 2u);
    EXPECT_TRUE(printer.printed[1].is_void);
    EXPECT_EQ(printer.printed[1].masked_card, "************1111");
    CardAnswer unknown = p;
    unknown.reference.clear();
    EXPECT_EQ(void_of(2, unknown, "42.00").status, 0);
    EXPECT_EQ(printer.printed.size(), 2u);
    const auto log = logged();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].operation, kCardVoid);
    EXPECT_EQ(log[1].authorisation, p.authorisation);
    EXPECT_EQ(log[2].text, "12 TRANSACCION INVALIDA");
}

TEST_F(CardServiceTest, MissingLibraryTerminalOrAmountIsToldLoggedAndNeverSent) {
    libraries = {"/nonexistent/libCallPosWareClient.so", card_sim_dir() / "libc-nothing.so"};
    service = std::make_unique<services::terminals::CardService>(*db, inst->port, *ini, libraries,
                                                                 reader, printer);
    EXPECT_FALSE(charge(1, "10.00").status);
    EXPECT_TRUE(told("Library not found!!!!!"));
    EXPECT_FALSE(charge(2, "10.00").status);
    EXPECT_TRUE(told("Library SOCKPOS.DLL not loaded..."));

    // A library without the network's calls is as missing as no library.
    libraries = services::terminals::card_libraries(*ini, card_sim_dir());
    std::swap(libraries.provider1, libraries.provider2);
    service = std::make_unique<services::terminals::CardService>(*db, inst->port, *ini, libraries,
                                                                 reader, printer);
    EXPECT_FALSE(charge(1, "10.00").status);
    std::swap(libraries.provider1, libraries.provider2);
    service = std::make_unique<services::terminals::CardService>(*db, inst->port, *ini, libraries,
                                                                 reader, printer);

    const CardAnswer no_terminal = charge(1, "10.00", "US");
    EXPECT_EQ(no_terminal.status, 0);
    EXPECT_NE(no_terminal.message.find("CAJA1"), std::string::npos) << no_terminal.message;
    EXPECT_EQ(charge(2, "10.00", "US").status, 0);
    EXPECT_EQ(charge(1, "1000000000.00").status, 0);  // beyond "999999999.99"
    EXPECT_EQ(charge(2, "-5.00").status, 0);
    EXPECT_TRUE(printer.printed.empty());
    const auto log = logged();
    ASSERT_EQ(log.size(), 7u);
    EXPECT_EQ(log[0].text, "Library not found!!!!!");
    EXPECT_EQ(log[1].text, "Library SOCKPOS.DLL not loaded...");
    EXPECT_EQ(log[1].card, "************1111");
    EXPECT_EQ(log[3].text, no_terminal.message);
}

TEST_F(CardServiceTest, OtherProvidersAndOperationsAnswerNothing) {
    EXPECT_FALSE(charge(3, "10.00").status);
    domain::pos::CardRequest q;
    q.provider = 1;
    q.operation = 3;
    q.amount = Decimal(10);
    q.business = kCardBiz;
    q.currency = "CO";
    EXPECT_FALSE(service->PAGO_ELECTRONICO(q).status);
    EXPECT_TRUE(logged().empty());
    EXPECT_EQ(reader.asked, 0);
}

// Whatever the outcome, neither the log nor the answer holds more of the card than its last
// four digits.
TEST_F(CardServiceTest, NoCardNumberReachesTheLogOrTheAnswer) {
    const std::string head = std::string(kVisa).substr(0, 12);
    std::vector<CardAnswer> answers;
    for (const char* amount : {"10.00", "10.99", "10.97", "10.98"})
        for (int provider : {1, 2}) answers.push_back(charge(provider, amount));
    answers.push_back(void_of(1, answers[0], "10.00"));
    answers.push_back(void_of(2, answers[1], "10.00"));
    for (const auto& a : answers) {
        std::string all = a.card + a.reference + a.authorisation + a.trace + a.message;
        for (const auto& r : a.result) all += r;
        EXPECT_EQ(all.find(head), std::string::npos) << all;
        EXPECT_EQ(all.find("4111111"), std::string::npos) << all;
    }
    const auto rows = log_texts();
    ASSERT_EQ(rows.size(), answers.size());
    for (const auto& row : rows) EXPECT_EQ(row.find("4111111"), std::string::npos) << row;
}

}  // namespace
}  // namespace qz::test
