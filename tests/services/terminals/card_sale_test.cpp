// A sale paid by card through the first network's training library: the sale keeps only the
// masked card, and a save that fails after the charge voids it through the network, logged once.
#include "card_fixture.h"
#include "core/text.h"
#include "data/table_ops.h"
#include "domain/pos/sale_card_void.h"
#include "domain/pos/sale_scenario.h"

namespace qz::test {
namespace {

using namespace domain::pos;

class CardSaleTest : public CardFixture {
protected:
    void SetUp() override {
        CardFixture::SetUp();
        saver = std::make_unique<SaleSave>(*db, inst->port, hooks, *service);
        draft = std::make_unique<SaleDraft>(*db, inst->port, kSaleBiz, SaleMode{});
        draft->PARAMS_CAJA(counter_register("FC", "CONTADO"));
        add_line(*draft, "ACE001", "2");
    }
    // The card tender as the tenders dialog fills it from the terminal's answer.
    TenderRow card_tender(const Decimal& amount) {
        CardRequest q;
        q.provider = 1;
        q.amount = amount;
        q.business = kSaleBiz;
        q.currency = "CO";
        const CardAnswer a = service->PAGO_ELECTRONICO(q);
        EXPECT_TRUE(a.approved()) << a.message;
        TenderRow t;
        t.code = "TE";
        t.amount = amount;
        t.card = a.card;
        t.reference = a.reference;
        t.card_authorisation = a.authorisation;
        t.trace = a.trace;
        t.terminal = 1;
        return t;
    }
    std::optional<SavedSale> save() {
        return saver->PROC_BOK(*draft, tenders, {}, counter_context(Date(2026, 5, 20)));
    }
    std::vector<std::string> stored_cards() {
        std::vector<std::string> out;
        data::Table t = data::USE(*db, "DET_MOV2");
        for (t->GoTop(); !t->Eof(); t->Skip())
            if (!trim(t->str("PE_TARJ")).empty()) out.push_back(trim(t->str("PE_TARJ")));
        data::KILLTABLA(*db, t);
        return out;
    }

    ScriptedHooks hooks;
    std::unique_ptr<SaleSave> saver;
    std::unique_ptr<SaleDraft> draft;
    std::vector<TenderRow> tenders;
};

TEST_F(CardSaleTest, APaidSaleKeepsTheMaskedCardAndAFailedOneVoidsItsCharge) {
    hooks.on_tenders = [&] {
        tenders = {card_tender(draft->figures().invoiced)};
        draft->set_paid(draft->figures().invoiced);
        return true;
    };
    ASSERT_TRUE(save()) << ::testing::PrintToString(inst->port.messages);
    EXPECT_EQ(stored_cards(), std::vector<std::string>{"************1111"});

    draft = std::make_unique<SaleDraft>(*db, inst->port, kSaleBiz, SaleMode{});
    draft->PARAMS_CAJA(counter_register("FC", "CONTADO"));
    add_line(*draft, "ACE001", "1");
    std::string charged;
    hooks.on_tenders = [&] {
        // A charge to a room without an open folio: the receipt fails inside the sale.
        TenderRow room;
        room.code = "HB";
        room.amount = Decimal(1);
        room.room = "999";
        room.account = "RES-NINGUNA";
        TenderRow card = card_tender(draft->figures().invoiced - room.amount);
        charged = card.reference;
        tenders = {card, room};
        draft->set_paid(draft->figures().invoiced);
        return true;
    };
    EXPECT_FALSE(save());
    EXPECT_FALSE(told("no se pudo anular"));
    const auto log = logged();
    // The two purchases and the automatic void, each once.
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].operation, kCardPurchase);
    EXPECT_EQ(log[2].operation, kCardVoid);
    EXPECT_EQ(log[2].reference, charged);
    EXPECT_EQ(log[2].text, "ANULACION APROBADA");
    EXPECT_EQ(log[2].card, "************1111");
    EXPECT_EQ(stored_cards().size(), 1u);
}

}  // namespace
}  // namespace qz::test
